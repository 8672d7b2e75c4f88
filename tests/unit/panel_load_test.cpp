// The panel's start: what each field shows and what the load stores back,
// with an empty, a filled and a damaged store.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

using sim::RegistryValue;
constexpr auto kName = [](const auto& info) { return std::string(info.param.name); };

class PanelLoadTest : public SimTest {};

TEST_F(PanelLoadTest, FirstRunShowsTheDefaultsInFrontAndStoresOnlyWhatTheFieldsStore) {
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), "(Ctrl)h");
  EXPECT_EQ(panel().Text3.Text(), "(Ctrl)(Space)");
  EXPECT_EQ(panel().fwhk.Text(), "(Ctrl)k");
  EXPECT_EQ(panel().PW.Text(), "417");
  EXPECT_EQ((std::vector{panel().Check1.Value(), panel().Check2.Value(), panel().Check3.Value(),
                         panel().Check4.Value()}),
            (std::vector{1, 0, 0, 0}));
  const std::vector<std::optional<std::string>> stored = {
      Stored(setting::kHideWindowHotkey), Stored(setting::kHideAllHotkey),
      Stored(setting::kFakeWorkHotkey),   Stored(setting::kLaunchFakeWork),
      Stored(setting::kPassword),         Stored(setting::kAutoStart),
      Stored(setting::kLoginStart),       Stored(setting::kNoNotification)};
  EXPECT_EQ(stored, (decltype(stored){"(Ctrl)h", "(Ctrl)(Space)", "(Ctrl)k", "1", std::nullopt,
                                      std::nullopt, std::nullopt, std::nullopt}));
  const sim::SimWindow& window = *desktop.Find(session.PanelWindow());
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(window.topmost);
  EXPECT_NE(window.bigIcon, 0);
  EXPECT_NE(window.smallIcon, 0);
  EXPECT_EQ(session.view().focused, ControlId::PW);
  EXPECT_EQ(desktop.TimerInterval(TimerId::HotkeyPoll), 1u);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

struct StoredHotkey {
  const char* name;
  std::string stored, shown, storedBack;
};

class StoredHotkeyTest : public SimTest, public ::testing::WithParamInterface<StoredHotkey> {};

TEST_P(StoredHotkeyTest, ComesBackIntoItsField) {
  Store(setting::kHideWindowHotkey, GetParam().stored);
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), GetParam().shown);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), GetParam().storedBack);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredHotkeyTest,
    ::testing::Values(
        StoredHotkey{"empty", "", "", ""},
        StoredHotkey{"key_above_127", "(Shift)\xC3\xA0", "(Shift)\xE0", "(Shift)\xC3\xA0"},
        StoredHotkey{"blank_becomes_its_token", "a b", "a(Space)b", "a(Space)b"},
        StoredHotkey{"outside_the_key_code_page", "(Ctrl)\xE4\xB8\xAD", "(Ctrl)?", "(Ctrl)?"}),
    kName);

TEST_F(PanelLoadTest, AValueOfTheWrongTypeReadsAsAbsent) {
  const std::string path = SettingPath(kAppName, "Saved Data");
  desktop.StoreValue(path, "Password",
                     RegistryValue{RegistryValue::Type::Dword, "\x01\x02\x03\x04"});
  desktop.StoreValue(path, "HKn", RegistryValue{RegistryValue::Type::Binary, "\xFF"});
  session.Start();
  EXPECT_EQ(panel().PW.Text(), "417");
  EXPECT_EQ(panel().Text2.Text(), "(Ctrl)h");
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)h");
}

struct DuplicateLoad {
  const char* name;
  std::string hkn, hka, hkfw;  // stored
  std::string text2, text3, fwhk;
  std::size_t messages;
};

class DuplicateLoadTest : public SimTest, public ::testing::WithParamInterface<DuplicateLoad> {};

TEST_P(DuplicateLoadTest, TheLaterFieldIsRefusedAndEmptied) {
  const auto& c = GetParam();
  Store(setting::kHideWindowHotkey, c.hkn);
  Store(setting::kHideAllHotkey, c.hka);
  Store(setting::kFakeWorkHotkey, c.hkfw);
  session.Start();
  EXPECT_EQ(panel().Text2.Text(), c.text2);
  EXPECT_EQ(panel().Text3.Text(), c.text3);
  EXPECT_EQ(panel().fwhk.Text(), c.fwhk);
  EXPECT_EQ(desktop.messageBoxes.size(), c.messages);
  for (const auto& box : desktop.messageBoxes) EXPECT_EQ(box.title, "Hotkey In Use");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DuplicateLoadTest,
    ::testing::Values(
        // Once emptied, Text3 also equals the not yet loaded fake-work field.
        DuplicateLoad{"second_as_first", "(Ctrl)h", "(Ctrl)h", "(Ctrl)k", "(Ctrl)h", "", "(Ctrl)k",
                      2},
        DuplicateLoad{"third_as_first", "(Ctrl)h", "(Ctrl)(Space)", "(Ctrl)h", "(Ctrl)h",
                      "(Ctrl)(Space)", "", 1},
        DuplicateLoad{"differ_in_case", "(Ctrl)h", "(Ctrl)H", "(Ctrl)k", "(Ctrl)h", "(Ctrl)H",
                      "(Ctrl)k", 0},
        DuplicateLoad{"both_empty", "", "", "(Ctrl)k", "", "", "(Ctrl)k", 0},
        // The blank is written as its token, which collides: each collision is told once.
        DuplicateLoad{"blank_as_first", "(Space)", " ", "x", "(Space)", "", "x", 2}),
    kName);

struct AutoStart {
  const char* name;
  std::string stored;
  bool hides;
};

class AutoStartTest : public SimTest, public ::testing::WithParamInterface<AutoStart> {};

TEST_P(AutoStartTest, SendsThePanelIntoTheTraySilentlyOnlyWhenChecked) {
  Store(setting::kAutoStart, GetParam().stored);
  Store(setting::kHideWindowHotkey, "");  // arming's check does not apply here
  session.Start();
  EXPECT_EQ(desktop.IsWindowVisible(session.PanelWindow()), !GetParam().hides);
  // Not even for a moment: the start that ends in the tray shows nothing.
  const bool everShown = std::ranges::find(desktop.journal, "show " + std::string(kPanelCaption)) !=
                         desktop.journal.end();
  EXPECT_EQ(everShown, !GetParam().hides);
  EXPECT_EQ(desktop.trayIcons.contains({session.PanelWindow(), 0}), GetParam().hides);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, AutoStartTest,
                         ::testing::Values(AutoStart{"checked", "1", true},
                                           AutoStart{"grayed", "2", false}),
                         kName);

TEST_F(PanelLoadTest, OnlyTheFirstActivationDoesItsWork) {
  session.Start();
  session.view().focused.reset();
  panel().Form_Activate();
  EXPECT_FALSE(session.view().focused.has_value());
}

TEST_F(PanelLoadTest, TheLoginOptionRewritesTheEntryWithThePresentLocation) {
  Store(setting::kLoginStart, "1");
  desktop.modulePath = "D:\\Moved Here\\nookshade.exe";
  session.Start();
  EXPECT_EQ(RunEntry("nookshade"), "\"D:\\Moved Here\\nookshade.exe\"");
}

}  // namespace
}  // namespace nookshade::test
