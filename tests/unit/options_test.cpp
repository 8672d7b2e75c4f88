// The option boxes, the login entry they control, and arming.

#include <gtest/gtest.h>

#include "app/login_entry.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct OptionBox {
  ControlId box;
  SettingKey setting;
};

class OptionClickTest : public SimTest, public ::testing::WithParamInterface<OptionBox> {};

TEST_P(OptionClickTest, EveryClickStoresTheNewValue) {
  session.Start();
  CheckBox& box = *panel().FindCheckBox(GetParam().box);
  const int before = box.Value();
  panel().Clicked(GetParam().box);
  EXPECT_EQ(box.Value(), before == 1 ? 0 : 1);
  EXPECT_EQ(Stored(GetParam().setting), std::to_string(box.Value()));
  panel().Clicked(GetParam().box);
  EXPECT_EQ(box.Value(), before);
  EXPECT_EQ(Stored(GetParam().setting), std::to_string(before));
}

INSTANTIATE_TEST_SUITE_P(Boxes, OptionClickTest,
                         ::testing::Values(OptionBox{ControlId::Check1, setting::kLaunchFakeWork},
                                           OptionBox{ControlId::Check2, setting::kAutoStart},
                                           OptionBox{ControlId::Check3, setting::kLoginStart},
                                           OptionBox{ControlId::Check4, setting::kNoNotification}));

TEST_F(SimTest, AGrayedBoxClickedBecomesChecked) {
  Store(setting::kNoNotification, "2");
  session.Start();
  panel().Clicked(ControlId::Check4);
  EXPECT_EQ(panel().Check4.Value(), 1);
  EXPECT_EQ(Stored(setting::kNoNotification), "1");
}

struct LoginPath {
  std::string program;
  std::string name;
};

class LoginEntryTest : public SimTest, public ::testing::WithParamInterface<LoginPath> {};

TEST_P(LoginEntryTest, TickingWritesTheQuotedPathAndUntickingDeletesIt) {
  desktop.modulePath = GetParam().program;
  session.Start();
  panel().Clicked(ControlId::Check3);
  EXPECT_EQ(RunEntry(GetParam().name), "\"" + GetParam().program + "\"");
  EXPECT_EQ(Stored(setting::kLoginStart), "1");
  panel().Clicked(ControlId::Check3);
  EXPECT_EQ(RunEntry(GetParam().name), std::nullopt);
  EXPECT_EQ(Stored(setting::kLoginStart), "0");
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_EQ(desktop.OpenKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LoginEntryTest,
    ::testing::Values(LoginPath{"C:\\Tools\\nookshade.exe", "nookshade"},
                      LoginPath{"C:\\Program Files\\Nook Shade\\nookshade.exe", "nookshade"},
                      LoginPath{"C:\\Users\\J\xC3\xBCrgen\\\xE6\x96\x87\xE4\xBB\xB6\\Nook.EXE",
                                "Nook"},
                      LoginPath{"C:\\a.b\\my.tool.exe", "my.tool"}));

TEST_F(SimTest, UntickingWithoutAnEntryIsSilentAndOnlyTheUsersRunListIsTouched) {
  session.Start();
  desktop.StoreString(kRunKey, "Other", "\"C:\\other.exe\"");
  panel().Check3.SetValue(1);
  panel().Check3.SetValue(0);
  panel().Check3.SetValue(1);
  desktop.StoreString(kRunKey, "nookshade", "");  // gone by hand meanwhile
  panel().Clicked(ControlId::Check3);
  panel().Clicked(ControlId::Check3);
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_EQ(RunEntry("Other"), "\"C:\\other.exe\"");
}

struct RegistryFailure {
  bool failOpen;
  std::int32_t status;
  std::string message;
};

class LoginFailureTest : public SimTest, public ::testing::WithParamInterface<RegistryFailure> {};

TEST_P(LoginFailureTest, IsReportedAndTheOptionKeepsItsNewValue) {
  const auto& c = GetParam();
  const std::string key = "software\\microsoft\\windows\\currentversion\\run";
  (c.failOpen ? desktop.failCreateKey : desktop.failSetString)[key] = c.status;
  session.Start();
  panel().Clicked(ControlId::Check3);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, c.message);
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0u);
  EXPECT_EQ(panel().Check3.Value(), 1);
  EXPECT_EQ(Stored(setting::kLoginStart), "1");
  EXPECT_EQ(RunEntry("nookshade"), std::nullopt);
  EXPECT_EQ(desktop.OpenKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LoginFailureTest,
    ::testing::Values(RegistryFailure{true, 5, "Error 5 opening key\r\nAccess is denied."},
                      RegistryFailure{false, 5, "Error 5 setting key\r\nAccess is denied."},
                      RegistryFailure{false, 1009, "Error 1009 setting key\r\nStatus 1009."}));

TEST_F(SimTest, WithoutTheProgramsLocationNoEntryIsWritten) {
  desktop.modulePath = "";
  session.Start();
  panel().Clicked(ControlId::Check3);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "2 The system cannot find the file specified.");
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade");
  EXPECT_EQ(RunEntry(""), std::nullopt);
  EXPECT_FALSE(desktop.KeyExists(kRunKey));
}

class ArmingTest : public SimTest {};

TEST_F(ArmingTest, RefusesWhileAMainHotkeyIsBlank) {
  Store(setting::kHideAllHotkey, "");
  session.Start();
  panel().Clicked(ControlId::Command2);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "The hotkeys have not been set");
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade PRO");
  EXPECT_EQ(desktop.messageBoxes[0].style, 64u);
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_TRUE(desktop.trayIcons.empty());
}

TEST_F(ArmingTest, HidesThePanelIntoItsSlotAndRemindsOfTheHotkey) {
  Store(setting::kFakeWorkHotkey, "");
  session.Start();
  panel().Clicked(ControlId::mnuStartNookshade);
  EXPECT_FALSE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_TRUE(panel().WindowSlots[0]->Hiding);
  EXPECT_EQ(panel().FreeSlot, 1);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade Pro");
  // The text itself is checked where the user reads it, end to end.
  EXPECT_TRUE(desktop.messageBoxes[0].text.ends_with("Reminder: Press (Ctrl)h to hide a window"));
}

TEST_F(ArmingTest, WithTheNotificationOffThePanelJustGoes) {
  Store(setting::kNoNotification, "1");
  session.Start();
  panel().Clicked(ControlId::Command2);
  EXPECT_FALSE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

}  // namespace
}  // namespace nookshade::test
