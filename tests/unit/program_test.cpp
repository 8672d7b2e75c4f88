// The program's life: what it loads and stores, the options and the login
// entry, arming, fake work, and what the next start recovers after a kill.

#include <map>
#include <tuple>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kJournalPath = SettingPath(kAppName, "Recovery");

struct StoredOption {
  const char* name;
  std::string stored;
  int value;
};

class OptionTest : public SimTest, public ::testing::WithParamInterface<StoredOption> {};

TEST_P(OptionTest, LoadsAsTheBoxValueAndAClickStoresTheNewValue) {
  Store(setting::kNoNotification, GetParam().stored);
  session.Start();
  EXPECT_EQ(panel().FindCheckBox(ControlId::noNotification)->Value(), GetParam().value);
  panel().Clicked(ControlId::noNotification);
  // Checked becomes unchecked; unchecked and grayed become checked.
  EXPECT_EQ(Stored(setting::kNoNotification), GetParam().value == 1 ? "0" : "1");
}

INSTANTIATE_TEST_SUITE_P(
    Values, OptionTest,
    ::testing::Values(StoredOption{"unchecked", "0", 0}, StoredOption{"checked", "1", 1},
                      StoredOption{"grayed", "2", 2}, StoredOption{"above range", "3", 0},
                      StoredOption{"negative", "-1", 0}, StoredOption{"garbage", "yes", 0},
                      StoredOption{"blanks around", " 1 ", 1},
                      StoredOption{"overflow", "99999999999999999999", 0}),
    NameOf<StoredOption>);

TEST_F(OptionTest, FirstRunShowsAndStoresTheDefaults) {
  session.Start();
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), "(Ctrl)h");
  EXPECT_EQ(Text(ControlId::hideAllHotkey), "(Ctrl)(Space)");
  EXPECT_EQ(Text(ControlId::fakeWorkHotkey), "(Ctrl)k");
  EXPECT_EQ(Text(ControlId::password), "417");
  EXPECT_EQ(Text(ControlId::fakeWork1), "[Fake Work Window Not Selected]");
  EXPECT_EQ(Stored(setting::kFakeWorkHotkey), "(Ctrl)k");
  EXPECT_EQ(Stored(setting::kLaunchFakeWork), "1");
  EXPECT_EQ(session.view().focused, ControlId::password);
}

struct StoredText {
  const char* name;
  SettingKey setting;
  std::string stored, shown;
};

class StoredTextTest : public SimTest, public ::testing::WithParamInterface<StoredText> {};

TEST_P(StoredTextTest, ComesBackIntoItsField) {
  Store(GetParam().setting, GetParam().stored);
  session.Start();
  const ControlId field =
      GetParam().setting.key == "Password" ? ControlId::password : ControlId::hideWindowHotkey;
  EXPECT_EQ(Text(field), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredTextTest,
    ::testing::Values(
        StoredText{"empty hotkey", setting::kHideWindowHotkey, "", ""},
        StoredText{"key above 127", setting::kHideWindowHotkey, "(Shift)\xC3\xA0", "(Shift)\xE0"},
        StoredText{"blank becomes its token", setting::kHideWindowHotkey, "a b", "a(Space)b"},
        StoredText{"outside the key code page", setting::kHideWindowHotkey, "(Ctrl)\xE4\xB8\xAD",
                   "(Ctrl)?"},
        StoredText{"empty password", setting::kPassword, "", "[No Password Set]"},
        StoredText{"long Unicode password", setting::kPassword,
                   std::string(300, 'x') + "\xF0\x9F\x94\x92",
                   std::string(300, 'x') + "\xF0\x9F\x94\x92"}),
    NameOf<StoredText>);

TEST_F(StoredTextTest, AValueOfTheWrongTypeReadsAsAbsentAndStaysUntouched) {
  desktop.StoreValue(SettingPath(kAppName, "Saved Data"), "HKn",
                     {sim::RegistryValue::Type::Dword, std::string(4, '\1')});
  session.Start();
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), "(Ctrl)h");
}

struct LoginFailure {
  const char* name;
  std::string program;
  std::map<std::string, std::int32_t> sim::SimDesktop::*fault;  // which registry call fails
  std::int32_t status;
  std::string message;
};

class LoginTest : public SimTest, public ::testing::WithParamInterface<LoginFailure> {};

TEST_P(LoginTest, AFailureIsToldAndTheOptionKeepsItsNewValue) {
  const auto& c = GetParam();
  desktop.modulePath = c.program;
  if (c.fault) (desktop.*c.fault)["software\\microsoft\\windows\\currentversion\\run"] = c.status;
  session.Start();
  panel().Clicked(ControlId::loginStart);
  EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
  EXPECT_EQ(Stored(setting::kLoginStart), "1");
  EXPECT_EQ(desktop.StoredString(kRunKey, "nookshade"), std::nullopt);
  EXPECT_EQ(desktop.OpenKeys(), 0);
}

const std::string kProgram = "C:\\Tools\\nookshade.exe";
INSTANTIATE_TEST_SUITE_P(
    Failures, LoginTest,
    ::testing::Values(LoginFailure{"opening", kProgram, &sim::SimDesktop::failCreateKey, 5,
                                   "Error 5 opening key\r\nAccess is denied."},
                      LoginFailure{"setting", kProgram, &sim::SimDesktop::failSetString, 1009,
                                   "Error 1009 setting key\r\nStatus 1009."},
                      LoginFailure{"no program location", "", nullptr, 0,
                                   "2 The system cannot find the file specified."}),
    NameOf<LoginFailure>);

struct LoginName {
  const char* name;
  std::string program, entry;
};

class LoginNameTest : public SimTest, public ::testing::WithParamInterface<LoginName> {};

TEST_P(LoginNameTest, TickingWritesTheQuotedPathUnderTheProgramsNameAndUntickingDeletesIt) {
  desktop.modulePath = GetParam().program;
  desktop.StoreString(kRunKey, "Other", "x");
  session.Start();
  panel().Clicked(ControlId::loginStart);
  EXPECT_EQ(desktop.StoredString(kRunKey, GetParam().entry), "\"" + desktop.modulePath + "\"");
  panel().Clicked(ControlId::loginStart);
  EXPECT_EQ(desktop.StoredString(kRunKey, GetParam().entry), std::nullopt);
  EXPECT_EQ(desktop.StoredString(kRunKey, "Other"), "x");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LoginNameTest,
    ::testing::Values(LoginName{"dots and a capital extension",
                                "C:\\Users\\J\xC3\xBCrgen\\my.tool.EXE", "my.tool"},
                      LoginName{"no extension", "C:\\Tools\\nookshade", "nookshade"},
                      LoginName{"a leading dot only", "D:\\.nookshade", ".nookshade"}),
    NameOf<LoginName>);

struct Arming {
  const char* name;
  SettingKey setting;
  std::string stored;
  bool armed;
  std::string said;  // the end of the message; nothing for none
};

class ArmingTest : public SimTest, public ::testing::WithParamInterface<Arming> {};

TEST_P(ArmingTest, HidesThePanelIntoTheTrayOnlyWithBothMainHotkeys) {
  const auto& c = GetParam();
  Store(c.setting, c.stored);
  session.Start();
  panel().Clicked(ControlId::startButton);
  EXPECT_EQ(Visible(session.PanelWindow()), !c.armed);
  EXPECT_EQ(IconCount(), c.armed ? 1 : 0);
  ASSERT_EQ(desktop.messageBoxes.size(), c.said.empty() ? 0u : 1u);
  for (const auto& box : desktop.messageBoxes) EXPECT_TRUE(box.text.ends_with(c.said)) << box.text;
}

const std::string kNotSet = "The hotkeys have not been set";
INSTANTIATE_TEST_SUITE_P(
    Cases, ArmingTest,
    ::testing::Values(Arming{"hide-a-window hotkey blank", setting::kHideWindowHotkey, "", false,
                             kNotSet},
                      Arming{"hide-all hotkey blank", setting::kHideAllHotkey, "", false, kNotSet},
                      Arming{"fake-work hotkey blank", setting::kFakeWorkHotkey, "", true,
                             "Reminder: Press (Ctrl)h to hide a window"},
                      Arming{"a stored hotkey reminded", setting::kHideWindowHotkey,
                             "(Alt)\xC3\xA0", true, "Press (Alt)\xC3\xA0 to hide a window"},
                      Arming{"notification off", setting::kNoNotification, "1", true, ""}),
    NameOf<Arming>);

struct AutoStart {
  const char* name;
  std::string stored;
  bool inTray;
};

class AutoStartTest : public SimTest, public ::testing::WithParamInterface<AutoStart> {};

TEST_P(AutoStartTest, GoesToTheTraySilentlyOnlyWhenTicked) {
  Store(setting::kAutoStart, GetParam().stored);
  Store(setting::kHideWindowHotkey, "");  // arming's check does not apply here
  session.Start();
  EXPECT_EQ(Visible(session.PanelWindow()), !GetParam().inTray);
  EXPECT_EQ(IconCount(), GetParam().inTray ? 1 : 0);
  // Not even for a moment: a start into the tray shows nothing.
  EXPECT_EQ(desktop.Find(session.PanelWindow())->everShown, !GetParam().inTray);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, AutoStartTest,
                         ::testing::Values(AutoStart{"ticked", "1", true},
                                           AutoStart{"grayed", "2", false},
                                           AutoStart{"unticked", "0", false}),
                         NameOf<AutoStart>);

class FakeWorkTest : public SimTest {
 protected:
  void SetUp() override {
    StartArmed();
    for (int i = 0; i < 3; ++i) sheets[i] = Window("Sheet " + std::to_string(i + 1));
  }
  void Toggle() { Chord(kLCtrl, 'K'); }
  std::array<WindowHandle, 3> sheets{};
};

struct Pick {
  const char* name;
  std::vector<std::pair<int, int>> picks;  // row, sheet (-1: no window)
  std::array<std::string, 3> titles;
  int messages;
};

class PickTest : public FakeWorkTest, public ::testing::WithParamInterface<Pick> {};

TEST_P(PickTest, TheCrosshairTakesTheWindowUnderItAndRefusesAFirstDuplicate) {
  for (const auto& [row, sheet] : GetParam().picks)
    PickFakeWork(row, sheet < 0 ? 0 : sheets[sheet]);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Text(static_cast<ControlId>(static_cast<int>(ControlId::fakeWork1) + row)),
              GetParam().titles[row]);
  }
  EXPECT_EQ(static_cast<int>(Messages().size()), GetParam().messages);
}

const std::string kNone = "[Fake Work Window Not Selected]";
INSTANTIATE_TEST_SUITE_P(
    Picks, PickTest,
    ::testing::Values(
        Pick{"three windows", {{1, 0}, {2, 1}, {3, 2}}, {"Sheet 1", "Sheet 2", "Sheet 3"}, 0},
        Pick{"no window", {{1, -1}}, {kNone, kNone, kNone}, 0},
        Pick{"row 2 as row 1", {{1, 0}, {2, 0}}, {"Sheet 1", kNone, kNone}, 1},
        Pick{"row 1 as row 2", {{2, 0}, {1, 0}}, {kNone, "Sheet 1", kNone}, 1},
        Pick{"row 3 as row 2, row 1 empty", {{2, 0}, {3, 0}}, {kNone, "Sheet 1", "Sheet 1"}, 0},
        Pick{"row 2 as row 3", {{1, 1}, {3, 0}, {2, 0}}, {"Sheet 2", "Sheet 1", "Sheet 1"}, 1},
        Pick{"picked again", {{1, 0}, {1, 1}}, {"Sheet 2", kNone, kNone}, 0}),
    NameOf<Pick>);

TEST_F(FakeWorkTest, TheHotkeyShowsThePickedWindowsAndHidesThemAgain) {
  PickFakeWork(1, sheets[0]);
  PickFakeWork(2, sheets[1]);
  for (const WindowHandle sheet : sheets) desktop.ShowWindow(sheet, ShowCommand::Hide);
  Toggle();
  EXPECT_TRUE(Visible(sheets[0]) && Visible(sheets[1]) && !Visible(sheets[2]));
  Toggle();
  EXPECT_FALSE(Visible(sheets[0]) || Visible(sheets[1]));
}

TEST_F(FakeWorkTest, AWindowTheToggleHidIsShownWhenItsRowLetsGoOfIt) {
  PickFakeWork(1, sheets[0]);
  PickFakeWork(2, sheets[1]);
  Toggle();  // shown (it was already)
  Toggle();  // hidden, journaled
  panel().Clicked(ControlId::resetFakeWork1);
  PickFakeWork(2, sheets[2]);
  EXPECT_TRUE(Visible(sheets[0]) && Visible(sheets[1]));
  EXPECT_EQ(Stored(setting::kRecoveryJournal), std::nullopt);
}

TEST_F(FakeWorkTest, ARowWhoseTitleNoWindowCarriesIsEmptiedWhenArming) {
  PickFakeWork(1, sheets[0]);
  desktop.Find(sheets[0])->title = "Renamed";
  DoubleClickIcon(0);
  Store(setting::kNoNotification, "1");
  panel().Clicked(ControlId::startButton);
  EXPECT_EQ(Text(ControlId::fakeWork1), kNone);
}

struct Journal {
  const char* name;
  std::string text;
  bool shown;
  bool noted;  // a line in the debug log
};

class JournalTest : public SimTest, public ::testing::WithParamInterface<Journal> {};

TEST_P(JournalTest, TheNextStartShowsOnlyTheSameWindowsOfAReadableJournal) {
  const WindowHandle window = desktop.AddWindow("Mail", false);
  std::string text = GetParam().text;
  if (const auto at = text.find("%h"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(window));
  }
  desktop.StoreString(kJournalPath, "Windows", text);
  session.Start();
  EXPECT_EQ(Visible(window), GetParam().shown);
  EXPECT_EQ(!desktop.log.empty(), GetParam().noted);
  EXPECT_EQ(Stored(setting::kRecoveryJournal), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JournalTest,
    ::testing::Values(
        Journal{"readable", "nookshade-journal 1\nA %h 4242 SimWindow", true, false},
        Journal{"another process", "nookshade-journal 1\nS %h 7 SimWindow", false, false},
        Journal{"another class", "nookshade-journal 1\nF %h 4242 Other", false, false},
        Journal{"older format", "nookshade-journal 0\nA %h 4242 SimWindow", false, true},
        Journal{"unknown way of hiding", "nookshade-journal 1\nX %h 4242 SimWindow", false, true},
        Journal{"handle not a number", "nookshade-journal 1\nS h%h 4242 SimWindow", false, true},
        Journal{"cut short", "nookshade-journal 1\nS %h", false, true},
        Journal{"no records", "nookshade-journal 1", false, false},
        Journal{"a line of one letter", "nookshade-journal 1\nS", false, true},
        Journal{"process not a number", "nookshade-journal 1\nS %h p SimWindow", false, true},
        Journal{"random bytes", std::string("\xFF\x00\x13nookshade", 12), false, true},
        Journal{"very long", "nookshade-journal 1\n" + std::string(100000, '9'), false, true}),
    NameOf<Journal>);

enum class Hider { Slot, HideAll, FakeWork };

struct Unwritable {
  const char* name;
  Hider hider;
};

class UnwritableJournalTest : public SimTest, public ::testing::WithParamInterface<Unwritable> {};

TEST_P(UnwritableJournalTest, AWindowWhoseRecordCannotBeWrittenIsNotHiddenAndTheUserIsTold) {
  StartArmed();
  const WindowHandle mail = Window("Mail");
  PickFakeWork(1, mail);
  panel().ToggleFakeWork();
  desktop.failSetString["software\\nookshade pro\\recovery"] = 5;
  desktop.messageBoxes.clear();
  if (GetParam().hider == Hider::Slot) HideInFront();
  if (GetParam().hider == Hider::HideAll) HideAll();
  if (GetParam().hider == Hider::FakeWork) panel().ToggleFakeWork();
  EXPECT_TRUE(Visible(mail));
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(IconCount(), 1);
}

TEST_F(UnwritableJournalTest, AWindowShownWhileTheJournalCannotBeWrittenIsShownAndLogged) {
  StartArmed();
  const WindowHandle mail = Window("Mail");
  HideInFront();
  Window("Calendar");
  HideInFront();  // the journal keeps its record when Mail's is dropped
  desktop.failSetString["software\\nookshade pro\\recovery"] = 5;
  DoubleClickIcon(1);
  EXPECT_TRUE(Visible(mail));
  EXPECT_EQ(desktop.log.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Hiders, UnwritableJournalTest,
                         ::testing::Values(Unwritable{"a slot", Hider::Slot},
                                           Unwritable{"hide-all", Hider::HideAll},
                                           Unwritable{"the fake-work toggle", Hider::FakeWork}),
                         NameOf<Unwritable>);

TEST_F(SimTest, ASecondStartWakesTheFirstAndLeavesItsHiddenWindowsAlone) {
  StartArmed();
  const WindowHandle mail = Window("Mail");
  HideAll();
  sim::SimSession second(desktop);
  second.Start();
  EXPECT_FALSE(second.Running());
  EXPECT_EQ(desktop.wakes, 1);
  EXPECT_FALSE(Visible(mail));
  desktop.passwordAnswers = {"417"};
  panel().AnotherStart();
  EXPECT_TRUE(Visible(session.PanelWindow()));
  session.Close();
  EXPECT_TRUE(Visible(mail));
  EXPECT_EQ(IconCount(), 0);
}

}  // namespace
}  // namespace nookshade::test
