// The option boxes, the login entry they control, and arming.

#include <gtest/gtest.h>

#include <tuple>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr auto kName = [](const auto& info) { return std::string(info.param.name); };

struct OptionBox {
  const char* name;
  ControlId box;
  SettingKey setting;
};

struct StoredValue {
  const char* name;
  std::string stored;
  int value;
};

class StoredOptionTest : public SimTest,
                         public ::testing::WithParamInterface<std::tuple<OptionBox, StoredValue>> {
};

TEST_P(StoredOptionTest, LoadsAsTheBoxValueAndAClickStoresTheNewValue) {
  const auto& [option, stored] = GetParam();
  Store(option.setting, stored.stored);
  session.Start();
  CheckBox& box = *panel().FindCheckBox(option.box);
  EXPECT_EQ(box.Value(), stored.value);
  // Checked becomes unchecked; unchecked and grayed become checked.
  const int clicked = stored.value == 1 ? 0 : 1;
  panel().Clicked(option.box);
  EXPECT_EQ(box.Value(), clicked);
  EXPECT_EQ(Stored(option.setting), std::to_string(clicked));
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryBox, StoredOptionTest,
    ::testing::Combine(
        ::testing::Values(
            OptionBox{"launch_fake_work", ControlId::Check1, setting::kLaunchFakeWork},
            OptionBox{"auto_start", ControlId::Check2, setting::kAutoStart},
            OptionBox{"login_start", ControlId::Check3, setting::kLoginStart},
            OptionBox{"no_notification", ControlId::Check4, setting::kNoNotification}),
        ::testing::Values(StoredValue{"unchecked", "0", 0}, StoredValue{"checked", "1", 1},
                          StoredValue{"grayed", "2", 2}, StoredValue{"garbage", "yes", 0},
                          StoredValue{"above_range", "3", 0}, StoredValue{"negative", "-1", 0},
                          StoredValue{"blanks_around", " 1 ", 1},
                          StoredValue{"overflow", "99999999999999999999", 0})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

struct LoginPath {
  const char* name;
  std::string program, entry;
};

class LoginEntryTest : public SimTest, public ::testing::WithParamInterface<LoginPath> {};

TEST_P(LoginEntryTest, TickingWritesTheQuotedPathAndUntickingDeletesIt) {
  desktop.modulePath = GetParam().program;
  desktop.StoreString(kRunKey, "Other", "\"C:\\other.exe\"");
  session.Start();
  panel().Clicked(ControlId::Check3);
  EXPECT_EQ(RunEntry(GetParam().entry), "\"" + GetParam().program + "\"");
  panel().Clicked(ControlId::Check3);
  EXPECT_EQ(RunEntry(GetParam().entry), std::nullopt);
  EXPECT_EQ(RunEntry("Other"), "\"C:\\other.exe\"");
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_EQ(desktop.OpenKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LoginEntryTest,
    ::testing::Values(
        LoginPath{"blanks", "C:\\Program Files\\Nook Shade\\nookshade.exe", "nookshade"},
        LoginPath{"non_ascii_upper_case_extension",
                  "C:\\Users\\J\xC3\xBCrgen\\\xE6\x96\x87\xE4\xBB\xB6\\Nook.EXE", "Nook"},
        LoginPath{"dots", "C:\\a.b\\my.tool.exe", "my.tool"}),
    kName);

struct LoginFailure {
  const char* name;
  std::string program;
  std::map<std::string, std::int32_t> sim::SimDesktop::*fault;  // which registry call fails
  std::int32_t status;
  std::string message;
};

class LoginFailureTest : public SimTest, public ::testing::WithParamInterface<LoginFailure> {};

TEST_P(LoginFailureTest, IsReportedAndTheOptionKeepsItsNewValue) {
  const auto& c = GetParam();
  desktop.modulePath = c.program;
  if (c.fault) (desktop.*c.fault)["software\\microsoft\\windows\\currentversion\\run"] = c.status;
  session.Start();
  panel().Clicked(ControlId::Check3);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, c.message);
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade");
  EXPECT_EQ(Stored(setting::kLoginStart), "1");
  EXPECT_EQ(RunEntry("nookshade"), std::nullopt);
  EXPECT_EQ(RunEntry(""), std::nullopt);  // never the run list's default value
  EXPECT_EQ(desktop.OpenKeys(), 0);
}

const std::string kProgram = "C:\\Tools\\nookshade.exe";
INSTANTIATE_TEST_SUITE_P(
    Failures, LoginFailureTest,
    ::testing::Values(LoginFailure{"opening", kProgram, &sim::SimDesktop::failCreateKey, 5,
                                   "Error 5 opening key\r\nAccess is denied."},
                      LoginFailure{"setting", kProgram, &sim::SimDesktop::failSetString, 5,
                                   "Error 5 setting key\r\nAccess is denied."},
                      LoginFailure{"setting_other_status", kProgram,
                                   &sim::SimDesktop::failSetString, 1009,
                                   "Error 1009 setting key\r\nStatus 1009."},
                      LoginFailure{"no_program_location", "", nullptr, 0,
                                   "2 The system cannot find the file specified."}),
    kName);

struct ArmingCase {
  const char* name;
  SettingKey setting;
  std::string stored;
  bool armed;
  std::string said;  // the end of the message; nothing for none
};

class ArmingTest : public SimTest, public ::testing::WithParamInterface<ArmingCase> {};

TEST_P(ArmingTest, HidesThePanelIntoTheTrayOnlyWithBothMainHotkeys) {
  const auto& c = GetParam();
  Store(c.setting, c.stored);
  session.Start();
  panel().Clicked(ControlId::mnuStartNookshade);
  EXPECT_EQ(desktop.IsWindowVisible(session.PanelWindow()), !c.armed);
  EXPECT_EQ(desktop.trayIcons.contains({session.PanelWindow(), 0}), c.armed);
  ASSERT_EQ(desktop.messageBoxes.size(), c.said.empty() ? 0u : 1u);
  for (const auto& box : desktop.messageBoxes) {
    EXPECT_EQ(box.title, c.armed ? "Nookshade Pro" : "Nookshade PRO");
    EXPECT_TRUE(box.text.ends_with(c.said)) << box.text;
  }
}

const std::string kNotSet = "The hotkeys have not been set";
INSTANTIATE_TEST_SUITE_P(
    Cases, ArmingTest,
    ::testing::Values(
        ArmingCase{"hide_window_hotkey_blank", setting::kHideWindowHotkey, "", false, kNotSet},
        ArmingCase{"hide_all_hotkey_blank", setting::kHideAllHotkey, "", false, kNotSet},
        ArmingCase{"fake_work_hotkey_blank", setting::kFakeWorkHotkey, "", true,
                   "Reminder: Press (Ctrl)h to hide a window"},
        ArmingCase{"reminder_of_a_stored_hotkey", setting::kHideWindowHotkey, "(Alt)\xC3\xA0", true,
                   "Press (Alt)\xC3\xA0 to hide a window"},
        ArmingCase{"notification_off", setting::kNoNotification, "1", true, ""}),
    kName);

}  // namespace
}  // namespace nookshade::test
