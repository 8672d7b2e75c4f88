// The help menu.

#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

struct HelpItem {
  ControlId item;
  std::string begins;
  std::string ends;
};

class HelpMenuTest : public SimTest, public ::testing::WithParamInterface<HelpItem> {};

TEST_P(HelpMenuTest, ShowsItsTextAndChangesNothing) {
  session.Start();
  const auto settingsBefore = std::vector<std::optional<std::string>>{
      Stored(setting::kHideWindowHotkey), Stored(setting::kPassword),
      Stored(setting::kLaunchFakeWork)};
  panel().Clicked(GetParam().item);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  const auto& box = desktop.messageBoxes[0];
  EXPECT_EQ(box.title, "Nookshade Pro");
  EXPECT_EQ(box.style, 64u);
  EXPECT_EQ(box.text.rfind(GetParam().begins, 0), 0u) << box.text;
  ASSERT_GE(box.text.size(), GetParam().ends.size());
  EXPECT_EQ(box.text.substr(box.text.size() - GetParam().ends.size()), GetParam().ends);
  EXPECT_NE(box.text.back(), '\n');
  EXPECT_EQ(box.text.find("\n\n"), std::string::npos);  // breaks are always CR LF
  EXPECT_EQ((std::vector<std::optional<std::string>>{Stored(setting::kHideWindowHotkey),
                                                     Stored(setting::kPassword),
                                                     Stored(setting::kLaunchFakeWork)}),
            settingsBefore);
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
}

INSTANTIATE_TEST_SUITE_P(
    Items, HelpMenuTest,
    ::testing::Values(
        HelpItem{ControlId::mnub, "Nookshade is the ultimate tool for you",
                 "your 'work' magically appears out of nowhere!"},
        HelpItem{ControlId::mnuc, "To set hotkeys, click on the textbox",
                 "Nookshade allows ANY hotkeys! This means that you are not limited to only system "
                 "keys, Nookshade allows you complete freedom. You can set hotkeys such as "
                 "'HideAllWindows', 'OpenFakeWork', 'HideWindow' and so on."},
        HelpItem{
            ControlId::mnud, "To set a password, click on the textbox",
            "you hid with Nookshade.\r\n\r\nThe password you set will be prompted whenever you "
            "attempt to 'unhide' or 'open' any of the windows you hide with Nookshade, so do "
            "not forget it!"},
        HelpItem{ControlId::mnue, "Under 'Fake Work', there are three textboxes.",
                 "To hide them, press the hotkey again."},
        HelpItem{ControlId::mnuf, "Nookshade will only hide your windows after",
                 "to reopen Nookshade."},
        HelpItem{ControlId::mnug, "Nookshade offers four advanced options:\r\n\r\n1. You can set",
                 "check 'Do Not Show Notification Message When Starting Nookshade'."}));

TEST_F(SimTest, HelpWorksWhileThePanelIsInTheTray) {
  Store(setting::kAutoStart, "1");
  session.Start();
  panel().Clicked(ControlId::mnug);
  EXPECT_EQ(desktop.messageBoxes.size(), 1u);
}

}  // namespace
}  // namespace nookshade::test
