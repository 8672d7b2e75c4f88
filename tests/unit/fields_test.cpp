// The panel's fields: recording hotkeys, the password placeholder, what is
// loaded and stored, the login entry, and the text encodings at the
// program's edges.

#include "sim_fixture.h"
#include "text/encoding.h"

namespace nookshade::test {
namespace {

// Keys pressed in the hide-a-window field, which holds "(Ctrl)h" and the
// fake-work field "(Ctrl)k"; a negative key is that key coming up; the
// field may lose the focus, or the panel unload, in between.
constexpr int kLeave = 1000, kUnload = 1001;

struct Recording {
  const char* name;
  std::vector<int> keys;
  std::string text;
  int told = 0;
  bool ctrlS = false;  // then the panel armed by Ctrl+S
  // The field's selection at each key; by default the caret after the text.
  std::optional<std::pair<std::size_t, std::size_t>> selection = std::nullopt;
};

void PrintTo(const Recording& recording, std::ostream* out) { *out << recording.name; }

class RecordingTest : public SimTest, public ::testing::WithParamInterface<Recording> {};

TEST_P(RecordingTest, KeysAreAddedToTheFieldAndStored) {
  const Recording& c = GetParam();
  Set("Note", "1");
  session.Start();
  for (const int key : c.keys) {
    if (key == kLeave) panel().FocusLost(ControlId::hideWindowHotkey);
    if (key == kUnload) panel().Unload();
    if (key < 0) panel().KeyUp(ControlId::hideWindowHotkey, -key);
    if (key >= 0 && key < kLeave) KeyDown(ControlId::hideWindowHotkey, key, c.selection);
  }
  if (c.ctrlS) panel().ArmByShortcut();
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), c.text);
  // The caret after the last key, nothing selected: the next key goes on from there.
  const TextBox& field = *panel().FindTextBox(ControlId::hideWindowHotkey);
  EXPECT_EQ(std::make_pair(field.SelStart(), field.SelLength()),
            std::make_pair(c.text.size(), std::size_t{0}));
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), text::Windows1252ToUtf8(c.text));
  EXPECT_EQ(MessageCount(), c.told);
}

const Recording kKeys[] = {
    {"a letter, lower case", {'J'}, "(Ctrl)hj"},
    {"every token", {16, 18, kLWin, kSpace, 46}, "(Ctrl)h(Shift)(Alt)(Win)(Space)(Del)"},
    {"the keypad and function keys as tokens",
     {96, 107, 111, 112, 135},
     "(Ctrl)h(Num0)(Num+)(Num/)(F1)(F24)"},
    {"the keys just outside them as characters", {95, 136}, "(Ctrl)h_\x88"},
    {"keys that show as nothing as tokens",
     {13, 19, 20, 27, 144, 145},
     "(Ctrl)h(Enter)(Pause)(CapsLock)(Esc)(NumLock)(ScrollLock)"},
    {"codes 1 and 255 only", {0, 1, 256, 255}, "(Ctrl)h\x01\xFF"},
    {"Backspace takes the last letter", {kBackspace}, "(Ctrl)"},
    {"Backspace takes a token whole", {kBackspace, kBackspace, kBackspace}, ""},
    {"Backspace takes a token after others", {16, kBackspace}, "(Ctrl)h"},
    {"Backspace takes a function key whole", {123, kBackspace}, "(Ctrl)h"},
    {"Backspace takes a lock key whole", {144, kBackspace}, "(Ctrl)h"},
    {"Backspace takes each token whole", {18, kLWin, kSpace, 46, 8, 8, 8, 8}, "(Ctrl)h"},
    {"Backspace deletes the selection", {kBackspace}, "h", 0, false, std::pair(0, 6)},
    {"a selection past the end", {kBackspace}, "(Ctrl)", 0, false, std::pair(6, 99)},
    {"Backspace deletes a selection of one", {kBackspace}, "Ctrl)h", 0, false, std::pair(0, 1)},
    {"another field's hotkey is refused", {kBackspace, 'K'}, "", 1},
    {"Ctrl+S, its Ctrl held", {17, 17, 17}, "(Ctrl)h", 0, true},
    {"Ctrl+S, another key up", {17, -'Q'}, "(Ctrl)h", 0, true},
    {"Ctrl+S, a Ctrl recorded before", {17, -17, 17}, "(Ctrl)h(Ctrl)", 0, true},
    {"Ctrl+S, a key after Ctrl", {17, 'J'}, "(Ctrl)h(Ctrl)j", 0, true},
    {"Ctrl+S from elsewhere", {}, "(Ctrl)h", 0, true},
    // The modifiers of a shortcut that takes the focus away or closes the
    // panel are no keys of the hotkey; those let go of before, or followed
    // by a key, are.
    {"Alt+Tab away", {18, kLeave}, "(Ctrl)h"},
    {"every modifier held, away", {16, 16, 17, 18, 91, 92, kLeave}, "(Ctrl)h"},
    {"Alt let go of, then away", {18, -18, kLeave}, "(Ctrl)h(Alt)"},
    {"Alt and a key, then away", {18, 'J', kLeave}, "(Ctrl)h(Alt)j"},
    {"Alt+F4", {18, kUnload}, "(Ctrl)h"},
};
INSTANTIATE_TEST_SUITE_P(Keys, RecordingTest, ::testing::ValuesIn(kKeys), NameOf<Recording>);

// What the panel shows for what is stored; a check box's click stores its
// new value.
struct Loaded {
  const char* name;
  SettingKey setting;
  std::optional<std::string> stored;
  std::string shown;
  bool ofAnotherType = false;
  bool readOnlyKey = false;  // its key may be read, not written
};

const std::string kRunKey = "software\\microsoft\\windows\\currentversion\\run";

class LoadTest : public SimTest, public ::testing::WithParamInterface<Loaded> {};

TEST_P(LoadTest, ShowsTheStoredValueOrItsDefault) {
  const Loaded& c = GetParam();
  if (c.ofAnotherType) {
    desktop.StoreValue(SettingPath(kAppName, c.setting.section), std::string(c.setting.key),
                       {sim::RegistryValue::Type::Dword, *c.stored});
  } else if (c.stored) {
    Set(std::string(c.setting.key), *c.stored);
  }
  if (c.readOnlyKey) desktop.failCreateKey["software\\nookshade pro\\saved data"] = 5;
  session.Start();
  // Ready for the password: the field has the focus.
  EXPECT_EQ(session.focused, ControlId::password);
  if (c.setting.key == "Note" || c.setting.key == "LFW") {
    const ControlId box =
        c.setting.key == "Note" ? ControlId::noNotification : ControlId::showFakeWorkWithHideAll;
    EXPECT_EQ(session.onScreen.at(box), c.shown);
    panel().Clicked(box);
    EXPECT_EQ(Stored(c.setting), c.shown == "1" ? "0" : "1");
    EXPECT_EQ(desktop.StoredString(kRunKey, "nookshade"), std::nullopt) << "a login entry";
  } else {
    const bool password = c.setting.key == "Password";
    EXPECT_EQ(Text(password ? ControlId::password : ControlId::hideWindowHotkey), c.shown);
    // The start leaves the stored password as it was: none where none was.
    if (password) {
      EXPECT_EQ(Stored(c.setting), c.stored);
    }
  }
}

const Loaded kValues[] = {
    {"option unchecked", setting::kNoNotification, "0", "0"},
    {"option grayed", setting::kNoNotification, "2", "2"},
    {"option above range", setting::kNoNotification, "3", "0"},
    {"option negative", setting::kNoNotification, "-1", "0"},
    {"option garbage", setting::kNoNotification, "yes", "0"},
    {"option with a letter after it", setting::kNoNotification, "1x", "0"},
    {"option in blanks", setting::kNoNotification, " 1 ", "1"},
    {"option overflowing", setting::kNoNotification, "99999999999", "0"},
    {"option absent", setting::kLaunchFakeWork, std::nullopt, "1"},
    {"hotkey absent", setting::kHideWindowHotkey, std::nullopt, "(Ctrl)h"},
    {"hotkey of another type", setting::kHideWindowHotkey, "\1\1\1\1", "(Ctrl)h", true},
    {"hotkey empty", setting::kHideWindowHotkey, "", ""},
    // An earlier version recorded Windows' repeats of a held Ctrl.
    {"hotkey with a modifier three times running", setting::kHideWindowHotkey,
     "(Ctrl)(Ctrl)(Ctrl)h", "(Ctrl)h"},
    {"hotkey of a modifier tapped twice", setting::kHideWindowHotkey, "(Shift)(Shift)",
     "(Shift)(Shift)"},
    {"hotkey above 127", setting::kHideWindowHotkey, "(Shift)\xC3\xA0", "(Shift)\xE0"},
    {"hotkey with a blank", setting::kHideWindowHotkey, "a b", "a(Space)b"},
    // Loaded in field order: of two equal hotkeys, the later field is refused.
    {"hotkey stored twice", setting::kHideAllHotkey, "(Ctrl)h", "(Ctrl)h"},
    {"hotkey beyond its code page", setting::kHideWindowHotkey, "\xE4\xB8\xAD", "?"},
    // Keypad 0 and F12 as an earlier Nookshade wrote them: the same keys recorded now.
    {"hotkey of an earlier form", setting::kHideWindowHotkey, "(Ctrl)`{\r",
     "(Ctrl)(Num0)(F12)(Enter)"},
    {"password absent", setting::kPassword, std::nullopt, "417"},
    {"password in a key that may only be read", setting::kPassword, "abc", "abc", false, true},
    // Focused at the start, the field drops its placeholder: what the user
    // types is not added to it.
    {"password empty, focused at the start", setting::kPassword, "", ""},
    {"password long, Unicode", setting::kPassword, std::string(300, 'x') + "\xF0\x9F\x94\x92",
     std::string(300, 'x') + "\xF0\x9F\x94\x92"},
};
INSTANTIATE_TEST_SUITE_P(Values, LoadTest, ::testing::ValuesIn(kValues), NameOf<Loaded>);

// A click in a fake-work field, to read or select its title, lets go of
// nothing; a row emptied later still shows its placeholder.
TEST_F(SimTest, AClickInAFakeWorkFieldKeepsItsWindow) {
  Play("start; open A; pick 2 A");
  panel().Clicked(ControlId::fakeWork1);
  panel().FocusLost(ControlId::fakeWork1);
  panel().Clicked(ControlId::fakeWork2);
  EXPECT_EQ(Summary(), "panel shown, work -A-");
  Play("close A; arm");
  EXPECT_EQ(Summary(), "icons 1, told 1");
}

// Into the tray, the default password would lock the user out of all they
// hide; and a user who arms believes their own password guards it.
TEST(PasswordTest, AStoredPasswordThatCannotBeReadIsToldAndShowsThePanelWithTheOneInForce) {
  for (const bool keyRefused : {false, true}) {
    sim::World world;
    world.desktop.StoreValue(SettingPath(kAppName, "Saved Data"), "Password",
                             {sim::RegistryValue::Type::Dword, "\1\1\1\1"});
    if (keyRefused) world.Set("Password", "secret");
    if (keyRefused) world.desktop.failOpenKey["software\\nookshade pro\\saved data"] = 5;
    world.StartArmed();
    EXPECT_TRUE(world.Visible(world.session.PanelWindow())) << "key refused: " << keyRefused;
    EXPECT_EQ(world.Text(ControlId::password), "417");
    EXPECT_EQ(world.desktop.messageBoxes.size(), 1u) << "key refused: " << keyRefused;
  }
}

// The password's and a fake-work row's placeholders.
TEST_F(SimTest, APlaceholderGoesOnAClickAndComesBackWhenTheFieldIsLeftEmpty) {
  Set("Password", "");
  StartArmed();
  for (const ControlId field : {ControlId::password, ControlId::fakeWork1}) {
    const std::string placeholder = Text(field);
    EXPECT_NE(placeholder, "");
    panel().Clicked(field);
    EXPECT_EQ(Text(field), "");
    panel().FocusLost(field);
    EXPECT_EQ(Text(field), placeholder);
  }
  EXPECT_EQ(Text(ControlId::password), "[No Password Set]");
  panel().TextEdited(ControlId::password, "x");
  panel().Clicked(ControlId::password);
  panel().FocusLost(ControlId::password);
  EXPECT_EQ(Text(ControlId::password), "x");
}

TEST_F(SimTest, AChangeThatCannotBeStoredHoldsForTheRunAndIsLogged) {
  session.Start();
  desktop.failSetString["software\\nookshade pro\\saved data"] = 5;
  desktop.failCreateKey["software\\nookshade pro\\startup"] = 5;
  // A key written as a token: the field's change runs again, nested, for the token.
  KeyDown(ControlId::hideWindowHotkey, 46);
  panel().TextEdited(ControlId::password, "new");
  panel().Clicked(ControlId::autoStart);
  EXPECT_EQ(desktop.log.size(), 3u);
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), "(Ctrl)h(Del)");
  EXPECT_EQ(panel().FindCheckBox(ControlId::autoStart)->Value(), 1);
  Play("open A; hidenow; icon 0 new");
  EXPECT_EQ(Summary(), "asked 1, logged 3, panel shown");
}

struct Login {
  const char* name;
  std::string program, entry;
  std::string refused = "";  // the registry call that fails: "open" or "set"
  std::string message = "";
};

class LoginTest : public SimTest, public ::testing::WithParamInterface<Login> {};

TEST_P(LoginTest, TickingWritesTheQuotedPathUnderTheProgramsNameAndUntickingDeletesIt) {
  const Login& c = GetParam();
  desktop.modulePath = c.program;
  desktop.StoreString(kRunKey, "Other", "x");
  if (c.refused == "open") desktop.failCreateKey[kRunKey] = 5;
  if (c.refused == "set") desktop.failSetString[kRunKey] = 1009;
  session.Start();
  panel().Clicked(ControlId::loginStart);
  EXPECT_EQ(session.onScreen.at(ControlId::loginStart), "1");
  EXPECT_EQ(desktop.StoredString(SettingPath(kAppName, "Startup"), "Login"), "1");
  const auto written = c.message.empty() ? std::optional("\"" + c.program + "\"") : std::nullopt;
  EXPECT_EQ(desktop.StoredString(kRunKey, c.entry), written);
  EXPECT_EQ(MessageCount() == 1 ? desktop.messageBoxes[0] : "",
            c.message.empty() ? "" : "Nookshade: " + c.message);
  panel().Clicked(ControlId::loginStart);
  EXPECT_EQ(session.onScreen.at(ControlId::loginStart), "0");
  EXPECT_EQ(desktop.StoredString(kRunKey, c.entry), std::nullopt);
  EXPECT_EQ(desktop.StoredString(kRunKey, "Other"), "x");
  EXPECT_EQ(desktop.OpenKeys(), 0);
}

const Login kPrograms[] = {
    {"dots and a capital extension", "C:\\J\xC3\xBCrgen\\my.tool.EXE", "my.tool"},
    {"no extension, forward slashes", "C:/Tools/nookshade", "nookshade"},
    {"a leading dot only", "D:\\.nookshade", ".nookshade"},
    {"opening refused", "C:\\a.exe", "a", "open", "Error 5 opening key\r\nAccess is denied."},
    {"setting refused", "C:\\a.exe", "a", "set", "Error 1009 setting key\r\nStatus 1009."},
    {"a path without a file name", "C:\\Tools\\", "", "",
     "2 The system cannot find the file specified."},
    {"no program location", "", "", "", "2 The system cannot find the file specified."},
};
INSTANTIATE_TEST_SUITE_P(Programs, LoginTest, ::testing::ValuesIn(kPrograms), NameOf<Login>);

// A stored tick writes the login entry anew, for the program where it now
// is; a grayed option, as a damaged hive may hold it, is no tick.
TEST(LoginOptionTest, AStoredTickWritesTheEntryForThisProgramAndAGrayedOneNone) {
  using Entry = std::optional<std::string>;
  for (const auto& [stored, entry] : {std::pair{"1", Entry("\"C:\\a.exe\"")}, {"2", Entry()}}) {
    sim::World world;
    world.desktop.modulePath = "C:\\a.exe";
    world.Set("Login", stored);
    world.session.Start();
    EXPECT_EQ(world.desktop.StoredString(kRunKey, "a"), entry) << "Login=" << stored;
  }
}

// Input the view never sends for such a control, as a damaged or foreign
// message might: nothing changes, nothing is said.
TEST_F(SimTest, OddInputChangesNothing) {
  Play("armed; fill 1");
  panel().TextEdited(ControlId::description, "x");
  panel().KeyDown(ControlId::password, 'A', 0, 0);
  panel().KeyUp(ControlId::fakeWork1, 17);
  panel().FocusLost(ControlId::startButton);
  panel().MouseDown(ControlId::password);
  panel().MouseDown(ControlId::resetFakeWork1);  // just past the last crosshair
  panel().MouseUp(ControlId::crosshairHint);
  panel().Clicked(ControlId::passwordFrame);
  panel().Clicked(ControlId::description);
  panel().Activate();
  panel().InputArrived();
  EXPECT_EQ(Summary(), "hidden A, icons 2");
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), "(Ctrl)h");
  EXPECT_EQ(Text(ControlId::password), "417");
}

struct Encoding {
  const char* name;
  std::u16string utf16;
  std::string utf8;
  std::string windows1252;  // of utf8
};

void PrintTo(const Encoding& encoding, std::ostream* out) { *out << encoding.name; }

class EncodingTest : public ::testing::TestWithParam<Encoding> {};

TEST_P(EncodingTest, ConvertsAtTheEdgesWithoutLoss) {
  EXPECT_EQ(text::Utf16ToUtf8(GetParam().utf16), GetParam().utf8);
  EXPECT_EQ(text::Utf8ToUtf16(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(text::Utf8ToWindows1252(GetParam().utf8), GetParam().windows1252);
  // Back again, where the code page holds the character.
  if (GetParam().windows1252.find('?') == std::string::npos) {
    EXPECT_EQ(text::Windows1252ToUtf8(GetParam().windows1252), GetParam().utf8);
  }
}

const Encoding kTexts[] = {
    {"Latin", u"J\u00fcrgen", "J\xC3\xBCrgen", "J\xFCrgen"},
    {"the last of the code page", u"\u00ff", "\xC3\xBF", "\xFF"},
    {"no-break space", u"\u00a0", "\xC2\xA0", "\xA0"},
    {"the last of one byte", u"\u007f", "\x7F", "\x7F"},
    {"the first of two bytes", u"\u0080", "\xC2\x80", "?"},
    {"the last of two bytes", u"\u07ff", "\xDF\xBF", "?"},
    {"the first of three bytes", u"\u0800", "\xE0\xA0\x80", "?"},
    {"CJK", u"\u6587", "\xE6\x96\x87", "?"},
    {"the last of 16 bits", u"\uffff", "\xEF\xBF\xBF", "?"},
    {"the first beyond 16 bits", u"\U00010000", "\xF0\x90\x80\x80", "?"},
    {"beyond 16 bits", u"\U0001F512", "\xF0\x9F\x94\x92", "?"},
    {"the last code point", u"\U0010FFFF", "\xF4\x8F\xBF\xBF", "?"},
    {"a pair, then a character above the surrogates", u"\U0001F512\uE000",
     "\xF0\x9F\x94\x92\xEE\x80\x80", "??"},
    {"a lone surrogate", std::u16string(1, char16_t{0xD800}), "\xED\xA0\x80", "?"},
    {"a lone surrogate, then a character above the surrogates", u"\xD800\uE000",
     "\xED\xA0\x80\xEE\x80\x80", "??"},
};
INSTANTIATE_TEST_SUITE_P(Texts, EncodingTest, ::testing::ValuesIn(kTexts), NameOf<Encoding>);

// Windows-1252 gives 27 of the codes 128 to 159 a character of its own (the
// other five stay controls), and its own upper and lower case to letters.
TEST(EncodingTest, Windows1252HasItsOwnCharactersAndCases) {
  const std::u16string characters =
      u"\u20ac\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u017d\u2018"
      u"\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u017e\u0178";
  const std::string codes =
      "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97"
      "\x98\x99\x9A\x9B\x9C\x9E\x9F";
  EXPECT_EQ(text::Utf8ToWindows1252(text::Utf16ToUtf8(characters)), codes);
  EXPECT_EQ(text::Utf8ToUtf16(text::Windows1252ToUtf8(codes)), characters);
  EXPECT_EQ(text::Windows1252ToUtf8("\x81\x80"), "\xC2\x81\xE2\x82\xAC");
  EXPECT_EQ(text::LowerWindows1252("\xC0\x8A\x8C\x8E\x9F\xD7\xDE\xDF@AZ["),
            "\xE0\x9A\x9C\x9E\xFF\xD7\xFE\xDF@az[");
}

TEST(EncodingTest, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(text::Utf8ToUtf16("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(text::Utf8ToUtf16("\xF8\x88\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(text::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
  // A sequence cut short loses no character after it.
  EXPECT_EQ(text::Utf8ToUtf16("\xC3"
                              "A\xE6\x96"
                              "B"),
            u"\uFFFD"
            "A\uFFFD\uFFFD"
            "B");
}

}  // namespace
}  // namespace nookshade::test
