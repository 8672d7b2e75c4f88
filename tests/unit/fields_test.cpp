// The smaller rules of the panel's fields and menus, and the text encodings
// at the program's edges.

#include <set>
#include "sim_fixture.h"

#include "text/encoding.h"

namespace nookshade::test {
namespace {

class PasswordTest : public SimTest {};

TEST_F(PasswordTest, AClickClearsThePlaceholderAndLeavingTheFieldEmptyPutsItBack) {
  Store(setting::kPassword, "");
  session.Start();
  EXPECT_EQ(Text(ControlId::password), "[No Password Set]");
  panel().Clicked(ControlId::password);
  EXPECT_EQ(Text(ControlId::password), "");
  panel().FocusLost(ControlId::password);
  EXPECT_EQ(Text(ControlId::password), "[No Password Set]");
  panel().TextEdited(ControlId::password, "x");
  panel().Clicked(ControlId::password);  // a click into a field with text keeps it
  panel().FocusLost(ControlId::password);
  EXPECT_EQ(Text(ControlId::password), "x");
}

TEST_F(PasswordTest, ThePasswordTypedIsTheOneAskedForAndStored) {
  StartArmed();
  panel().TextEdited(ControlId::password, "n3w");
  EXPECT_EQ(Stored(setting::kPassword), "n3w");
  Window("Mail");
  HideInFront();
  DoubleClickIcon(1, "417");
  EXPECT_NE(panel().SlotWindow(1), 0);
  DoubleClickIcon(1, "n3w");
  EXPECT_EQ(panel().SlotWindow(1), 0);
}

struct Unstorable {
  const char* name;
  ControlId control;
  std::string section;
};

class UnstorableTest : public SimTest, public ::testing::WithParamInterface<Unstorable> {};

TEST_P(UnstorableTest, AChangeThatCannotBeStoredHoldsForTheRunAndIsLogged) {
  session.Start();
  desktop.failSetString["software\\nookshade pro\\" + GetParam().section] = 5;
  if (GetParam().control == ControlId::hideWindowHotkey) {
    panel().KeyDown(GetParam().control, 'J', 0, 0);
  } else if (GetParam().control == ControlId::password) {
    panel().TextEdited(GetParam().control, "new");
  } else {
    panel().Clicked(GetParam().control);
  }
  EXPECT_EQ(desktop.log.size(), 1u);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, UnstorableTest,
    ::testing::Values(Unstorable{"a hotkey", ControlId::hideWindowHotkey, "saved data"},
                      Unstorable{"the password", ControlId::password, "saved data"},
                      Unstorable{"an option", ControlId::autoStart, "startup"}),
    NameOf<Unstorable>);

class HelpTest : public SimTest, public ::testing::WithParamInterface<ControlId> {};

TEST_P(HelpTest, EachHelpItemShowsItsOwnText) {
  session.Start();
  panel().Clicked(GetParam());
  panel().Clicked(ControlId::description);  // no menu item: nothing
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade Pro");
  static std::set<std::string> seen;
  EXPECT_TRUE(seen.insert(desktop.messageBoxes[0].text).second);
}

INSTANTIATE_TEST_SUITE_P(Items, HelpTest,
                         ::testing::Values(ControlId::menuHelpAbout, ControlId::menuHelpHotkeys,
                                           ControlId::menuHelpPassword, ControlId::menuHelpFakeWork,
                                           ControlId::menuHelpStarting,
                                           ControlId::menuHelpOptions));

struct Icon {
  const char* name;
  IconHandle big, small, ofClass;
  IconHandle shown;  // 0: the panel's own small icon
};

class IconTest : public SimTest, public ::testing::WithParamInterface<Icon> {};

TEST_P(IconTest, AHiddenWindowsIconShowsItsBestIcon) {
  StartArmed();
  const WindowHandle window = Window("Mail");
  desktop.Find(window)->bigIcon = GetParam().big;
  desktop.Find(window)->smallIcon = GetParam().small;
  desktop.Find(window)->classSmallIcon = GetParam().ofClass;
  HideInFront();
  const IconHandle own = desktop.Find(session.PanelWindow())->smallIcon;
  const auto key = std::make_pair(session.PanelWindow(), 1);
  EXPECT_EQ(desktop.trayIcons[key], GetParam().shown != 0 ? GetParam().shown : own);
}

INSTANTIATE_TEST_SUITE_P(Icons, IconTest,
                         ::testing::Values(Icon{"big", 11, 12, 13, 11},
                                           Icon{"small", 0, 12, 13, 12},
                                           Icon{"the class's", 0, 0, 13, 13},
                                           Icon{"none: the program's", 0, 0, 0, 0}),
                         NameOf<Icon>);

struct Encoding {
  const char* name;
  std::u16string utf16;
  std::string utf8;
  std::string windows1252;  // of utf8
};

class EncodingTest : public ::testing::TestWithParam<Encoding> {};

TEST_P(EncodingTest, ConvertsAtTheEdgesWithoutLoss) {
  const Encoding& c = GetParam();
  EXPECT_EQ(text::Utf16ToUtf8(c.utf16), c.utf8);
  EXPECT_EQ(text::Utf8ToUtf16(c.utf8), c.utf16);
  EXPECT_EQ(text::Utf8ToWindows1252(c.utf8), c.windows1252);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EncodingTest,
    ::testing::Values(Encoding{"ASCII", u"Mail", "Mail", "Mail"},
                      Encoding{"Latin", u"J\u00fcrgen", "J\xC3\xBCrgen", "J\xFCrgen"},
                      Encoding{"euro, a high control", u"\u20ac", "\xE2\x82\xAC", "\x80"},
                      Encoding{"CJK", u"\u6587", "\xE6\x96\x87", "?"},
                      Encoding{"beyond 16 bits", u"\U0001F512", "\xF0\x9F\x94\x92", "?"},
                      Encoding{"a lone surrogate", std::u16string(1, char16_t{0xD800}),
                               "\xED\xA0\x80", "?"}),
    NameOf<Encoding>);

TEST(EncodingTest, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(text::Utf8ToUtf16("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(text::Utf8ToUtf16("\xF8\x88\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(text::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(text::Windows1252ToUtf8("\x81\x80"), "\xC2\x81\xE2\x82\xAC");
  EXPECT_EQ(text::LowerWindows1252("\xC0\x8A\x9F\xD7Z"), "\xE0\x9A\xFF\xD7z");
}

// Input the view never sends for such a control, as a damaged or foreign
// message might: nothing changes, nothing is said.
struct OddInput {
  const char* name;
  void (*send)(Panel&);
};

class OddInputTest : public SimTest, public ::testing::WithParamInterface<OddInput> {};

TEST_P(OddInputTest, ChangesNothing) {
  StartArmed();
  const WindowHandle mail = Window("Mail");
  HideInFront();
  GetParam().send(panel());
  EXPECT_FALSE(Visible(mail));
  EXPECT_EQ(IconCount(), 2);
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), "(Ctrl)h");
  EXPECT_EQ(Text(ControlId::password), "417");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, OddInputTest,
    ::testing::Values(
        OddInput{"text for a label", [](Panel& p) { p.TextEdited(ControlId::description, "x"); }},
        OddInput{"a key in the password",
                 [](Panel& p) { p.KeyDown(ControlId::password, 'A', 0, 0); }},
        OddInput{"Ctrl released elsewhere", [](Panel& p) { p.KeyUp(ControlId::fakeWork1, 17); }},
        OddInput{"focus leaving a button", [](Panel& p) { p.FocusLost(ControlId::startButton); }},
        OddInput{"a press on a text box", [](Panel& p) { p.MouseDown(ControlId::password); }},
        OddInput{"a release on a label", [](Panel& p) { p.MouseUp(ControlId::crosshairHint); }},
        OddInput{"a click on a frame", [](Panel& p) { p.Clicked(ControlId::passwordFrame); }},
        OddInput{"a second first activation", [](Panel& p) { p.Activate(); }},
        OddInput{"input with nothing asleep", [](Panel& p) { p.InputArrived(); }}),
    NameOf<OddInput>);

TEST_F(OddInputTest, AnIconTheShellRefusedAtTheHideIsAddedAtTheNextRetry) {
  StartArmed();
  const WindowHandle mail = Window("Mail");
  desktop.failTrayAdds = 1;
  HideInFront();
  EXPECT_EQ(IconCount(), 1);
  desktop.FireTimer(TimerId::TrayRetry);
  EXPECT_EQ(IconCount(), 2);
  EXPECT_FALSE(Visible(mail));
}

}  // namespace
}  // namespace nookshade::test
