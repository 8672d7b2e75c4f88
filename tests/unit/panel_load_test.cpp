// The panel's start: what each field shows and what the load stores back,
// with an empty, a filled and a damaged store.

#include <gtest/gtest.h>

#include "fakework/fake_work.h"
#include "hiding/password.h"
#include "hiding/tray_icons.h"
#include "model/settings.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

using sim::RegistryValue;

class PanelLoadTest : public SimTest {};

TEST_F(PanelLoadTest, FirstRunShowsTheDefaultsAndStoresOnlyWhatTheHandlersStore) {
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), "(Ctrl)h");
  EXPECT_EQ(panel().Text3.Text(), "(Ctrl)(Space)");
  EXPECT_EQ(panel().fwhk.Text(), "(Ctrl)k");
  EXPECT_EQ(panel().Check1.Value(), 1);
  EXPECT_EQ(panel().Check2.Value(), 0);
  EXPECT_EQ(panel().Check3.Value(), 0);
  EXPECT_EQ(panel().Check4.Value(), 0);
  EXPECT_EQ(panel().PW.Text(), "417");
  EXPECT_EQ(session.state().UnlockPassword, "417");
  for (TextBox* field : {&panel().fw1, &panel().fw2, &panel().fw3}) {
    EXPECT_EQ(field->Text(), kFakeWorkPlaceholder);
    EXPECT_EQ(field->Tag(), "");
  }
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)h");
  EXPECT_EQ(Stored(setting::kHideAllHotkey), "(Ctrl)(Space)");
  EXPECT_EQ(Stored(setting::kFakeWorkHotkey), "(Ctrl)k");
  EXPECT_EQ(Stored(setting::kLaunchFakeWork), "1");
  EXPECT_EQ(Stored(setting::kPassword), std::nullopt);
  EXPECT_EQ(Stored(setting::kAutoStart), std::nullopt);
  EXPECT_EQ(Stored(setting::kLoginStart), std::nullopt);
  EXPECT_EQ(Stored(setting::kNoNotification), std::nullopt);
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_EQ(session.view().focused, ControlId::PW);
}

TEST_F(PanelLoadTest, StoredValuesComeBackIntoTheFields) {
  Store(setting::kHideWindowHotkey, "(Alt)x");
  Store(setting::kHideAllHotkey, "(Shift)\xC3\xA0");  // à, a key character above 127
  Store(setting::kFakeWorkHotkey, "");
  Store(setting::kLaunchFakeWork, "0");
  Store(setting::kNoNotification, "1");
  Store(setting::kPassword, "s3cret");
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), "(Alt)x");
  EXPECT_EQ(panel().Text3.Text(), "(Shift)\xE0");
  EXPECT_EQ(panel().fwhk.Text(), "");
  EXPECT_EQ(panel().Check1.Value(), 0);
  EXPECT_EQ(panel().Check4.Value(), 1);
  EXPECT_EQ(panel().PW.Text(), "s3cret");
  EXPECT_EQ(session.state().UnlockPassword, "s3cret");
  // What was read is stored back unchanged.
  EXPECT_EQ(Stored(setting::kHideAllHotkey), "(Shift)\xC3\xA0");
  EXPECT_EQ(Stored(setting::kFakeWorkHotkey), "");
  EXPECT_EQ(Stored(setting::kLaunchFakeWork), "0");
}

TEST_F(PanelLoadTest, StoredBlankInAHotkeyBecomesItsToken) {
  Store(setting::kHideWindowHotkey, "a b");
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), "a(Space)b");
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "a(Space)b");
}

TEST_F(PanelLoadTest, ATextOutsideTheKeyCodePageLoadsAsQuestionMarks) {
  Store(setting::kHideWindowHotkey, "(Ctrl)\xE4\xB8\xAD");
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), "(Ctrl)?");
}

struct OptionCase {
  std::string stored;
  int value;
};

class StoredOptionTest : public SimTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(StoredOptionTest, OnlyZeroOneAndTwoBecomeTheBoxValue) {
  Store(setting::kNoNotification, GetParam().stored);
  session.Start();
  EXPECT_EQ(panel().Check4.Value(), GetParam().value);
  // A value the box cannot show stays stored until the box is clicked.
  if (GetParam().value == 0) {
    EXPECT_EQ(Stored(setting::kNoNotification), GetParam().stored);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, StoredOptionTest,
                         ::testing::Values(OptionCase{"0", 0}, OptionCase{"1", 1},
                                           OptionCase{"2", 2}, OptionCase{"3", 0},
                                           OptionCase{"-1", 0}, OptionCase{"yes", 0},
                                           OptionCase{"", 0}, OptionCase{"1x", 0},
                                           OptionCase{" 1 ", 1}, OptionCase{"01", 1},
                                           OptionCase{"+1", 0}, OptionCase{"1.0", 0},
                                           OptionCase{"99999999999999999999", 0}));

TEST_F(PanelLoadTest, AGrayedOptionCountsAsOff) {
  Store(setting::kAutoStart, "2");
  session.Start();
  EXPECT_EQ(panel().Check2.Value(), 2);
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_EQ(Stored(setting::kAutoStart), "2");
}

TEST_F(PanelLoadTest, AValueOfTheWrongTypeReadsAsAbsentAndIsKeptUntilOverwritten) {
  const std::string path = SettingPath(kAppName, "Saved Data");
  desktop.StoreValue(path, "Password",
                     RegistryValue{RegistryValue::Type::Dword, "\x01\x02\x03\x04"});
  desktop.StoreValue(path, "HKn", RegistryValue{RegistryValue::Type::Binary, "\xFF"});
  session.Start();
  EXPECT_EQ(panel().PW.Text(), "417");
  EXPECT_EQ(panel().Text2.Text(), "(Ctrl)h");
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)h");
}

struct PasswordCase {
  std::string stored;
  std::string shown;
  bool storedBack;
};

class StoredPasswordTest : public SimTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(StoredPasswordTest, FieldAndUnlockPasswordFollowTheStore) {
  Store(setting::kPassword, GetParam().stored);
  session.Start();
  EXPECT_EQ(panel().PW.Text(), GetParam().shown);
  EXPECT_EQ(session.state().UnlockPassword, GetParam().shown);
  EXPECT_EQ(Stored(setting::kPassword),
            GetParam().storedBack ? GetParam().shown : GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredPasswordTest,
                         ::testing::Values(PasswordCase{"", "[No Password Set]", true},
                                           PasswordCase{"[No Password Set]", "[No Password Set]",
                                                        false},
                                           PasswordCase{"417", "417", false},
                                           PasswordCase{"P\xC3\xA4ss w\xE2\x82\xAC rd",
                                                        "P\xC3\xA4ss w\xE2\x82\xAC rd", false}));

struct DuplicateLoadCase {
  std::string hkn, hka, hkfw;
  std::string text2, text3, fwhkText;
  std::vector<std::string> messages;
};

class DuplicateLoadTest : public SimTest,
                          public ::testing::WithParamInterface<DuplicateLoadCase> {};

TEST_P(DuplicateLoadTest, TheLaterFieldIsRefusedAndEmptied) {
  const auto& c = GetParam();
  Store(setting::kHideWindowHotkey, c.hkn);
  Store(setting::kHideAllHotkey, c.hka);
  Store(setting::kFakeWorkHotkey, c.hkfw);
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), c.text2);
  EXPECT_EQ(panel().Text3.Text(), c.text3);
  EXPECT_EQ(panel().fwhk.Text(), c.fwhkText);
  std::vector<std::string> shown;
  for (const auto& box : desktop.messageBoxes) {
    EXPECT_EQ(box.title, "Hotkey In Use");
    EXPECT_EQ(box.style, 48u);
    shown.push_back(box.text);
  }
  EXPECT_EQ(shown, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DuplicateLoadTest,
    ::testing::Values(
        // Text3 equals Text2; once emptied it also equals the not yet loaded fwhk.
        DuplicateLoadCase{"(Ctrl)h",
                          "(Ctrl)h",
                          "(Ctrl)k",
                          "(Ctrl)h",
                          "",
                          "(Ctrl)k",
                          {"This Hotkey is already in Use", "This Hotkey is already in Use"}},
        DuplicateLoadCase{"(Ctrl)h",
                          "(Ctrl)(Space)",
                          "(Ctrl)h",
                          "(Ctrl)h",
                          "(Ctrl)(Space)",
                          "",
                          {"This hotkey is already in Use"}},
        // Texts that differ only in case are different hotkeys.
        DuplicateLoadCase{"(Ctrl)h", "(Ctrl)H", "(Ctrl)k", "(Ctrl)h", "(Ctrl)H", "(Ctrl)k", {}},
        // Stored empty texts leave their fields empty without a word.
        DuplicateLoadCase{"", "", "(Ctrl)k", "", "", "(Ctrl)k", {}},
        // A stored blank becomes "(Space)", which then collides; the emptied
        // field collides once more with the fake-work field, not yet loaded.
        // Each collision is told once.
        DuplicateLoadCase{"(Space)",
                          " ",
                          "x",
                          "(Space)",
                          "",
                          "x",
                          {"This Hotkey is already in Use", "This Hotkey is already in Use"}}));

struct LoadOrderCase {
  const char* name;
  std::vector<std::pair<SettingKey, std::string>> stored;
  std::vector<std::string> journal;
};

class LoadOrderTest : public SimTest, public ::testing::WithParamInterface<LoadOrderCase> {};

TEST_P(LoadOrderTest, IconsTopmostAndProcedureComeBeforeTheFieldsWhichFillInOrder) {
  for (const auto& [key, value] : GetParam().stored) Store(key, value);
  session.Start();
  EXPECT_EQ(desktop.journal, GetParam().journal);
}

const std::vector<std::string> kBeforeFields = {
    // Big icon to the top of the owner chain, then to the panel; the same
    // for the small one; then both again for the panel alone.
    "big icon", "big icon",   "small icon", "small icon",
    "big icon", "small icon", "topmost",    "replace procedure"};

std::vector<std::string> Journal(std::vector<std::string> fields) {
  std::vector<std::string> all = kBeforeFields;
  all.insert(all.end(), fields.begin(), fields.end());
  all.emplace_back("show Nookshade Pro");
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Stores, LoadOrderTest,
    ::testing::Values(
        LoadOrderCase{
            "empty",
            {},
            Journal({"set HKn=(Ctrl)h", "set HKa=(Ctrl)(Space)", "set HKfw=(Ctrl)k", "set LFW=1"})},
        LoadOrderCase{"filled",
                      {{setting::kHideWindowHotkey, "(Alt)x"},
                       {setting::kHideAllHotkey, "(Shift)y"},
                       {setting::kFakeWorkHotkey, ""},
                       {setting::kLaunchFakeWork, "0"},
                       {setting::kAutoStart, "0"},
                       {setting::kLoginStart, "1"},
                       {setting::kNoNotification, "2"},
                       {setting::kPassword, ""}},
                      Journal({"set HKn=(Alt)x", "set HKa=(Shift)y", "set Login=1",
                               "set nookshade=\"C:\\Program Files\\Nookshade\\nookshade.exe\"",
                               "set Note=2", "set Password=", "set Password=[No Password Set]"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelLoadTest, SlotsAndThePollingTimerExistFromTheLoad) {
  session.Start();
  for (int i = 0; i < kSlotCount; ++i) {
    ASSERT_NE(panel().WindowSlots[i], nullptr);
    EXPECT_EQ(panel().WindowSlots[i]->Id, i);
    EXPECT_EQ(panel().WindowSlots[i]->hWnd, 0);
    EXPECT_FALSE(panel().WindowSlots[i]->Hiding);
  }
  EXPECT_EQ(panel().FreeSlot, 0);
  EXPECT_TRUE(desktop.Find(session.PanelWindow())->topmost);
  EXPECT_NE(session.state().PreviousWindowProc, 0);
  EXPECT_TRUE(desktop.TimerRunning(TimerId::HotkeyPoll));
  EXPECT_EQ(desktop.TimerInterval(TimerId::HotkeyPoll), 1u);
  EXPECT_FALSE(desktop.TimerRunning(TimerId::PickerDrag));
}

TEST_F(PanelLoadTest, StartUpPreparesCommonControlsAroundShowingThePanel) {
  session.Start();
  const std::vector<std::string> expected = {
      "LoadLibrary shell32.dll", "InitCommonControlsEx 16384", "ShowPanel", "FreeLibrary"};
  EXPECT_EQ(desktop.systemCalls, expected);
}

TEST_F(PanelLoadTest, StartUpFallsBackWhenTheExtendedSetUpIsMissing) {
  desktop.commonControlsExAvailable = false;
  desktop.shell32Loads = false;
  session.Start();
  const std::vector<std::string> expected = {
      "LoadLibrary shell32.dll", "InitCommonControlsEx 16384", "InitCommonControls", "ShowPanel"};
  EXPECT_EQ(desktop.systemCalls, expected);
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
}

TEST_F(PanelLoadTest, AutoStartSendsThePanelIntoSlotZeroSilently) {
  Store(setting::kAutoStart, "1");
  Store(setting::kHideWindowHotkey, "");  // arming's check does not apply here
  session.Start();
  EXPECT_FALSE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_TRUE(panel().WindowSlots[0]->Hiding);
  EXPECT_EQ(panel().WindowSlots[0]->hWnd, session.PanelWindow());
  EXPECT_EQ(panel().FreeSlot, 1);
  EXPECT_TRUE(desktop.trayIcons.contains({session.PanelWindow(), 0}));
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(PanelLoadTest, OnlyTheFirstActivationDoesItsWork) {
  session.Start();
  session.view().focused.reset();
  panel().Form_Activate();
  EXPECT_FALSE(session.view().focused.has_value());
}

TEST_F(PanelLoadTest, LoginOptionRewritesTheEntryWithThePresentLocation) {
  Store(setting::kLoginStart, "1");
  desktop.modulePath = "D:\\Moved Here\\nookshade.exe";
  session.Start();
  EXPECT_EQ(RunEntry("nookshade"), "\"D:\\Moved Here\\nookshade.exe\"");
  EXPECT_EQ(Stored(setting::kLoginStart), "1");
}

}  // namespace
}  // namespace nookshade::test
