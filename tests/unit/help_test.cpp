// The help menu. Its texts are compared word for word end to end; here each
// item shows its own text and nothing else happens.

#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

struct HelpItem {
  const char* name;
  ControlId item;
  std::string opening;
};

class HelpMenuTest : public SimTest, public ::testing::WithParamInterface<HelpItem> {};

TEST_P(HelpMenuTest, ShowsItsTextAndChangesNothing) {
  session.Start();
  desktop.journal.clear();
  panel().Clicked(GetParam().item);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_TRUE(desktop.messageBoxes[0].text.starts_with(GetParam().opening));
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade Pro");
  EXPECT_EQ(desktop.messageBoxes[0].style, 64u);  // information icon
  EXPECT_EQ(desktop.journal.size(), 1u);          // the message box, and no other change
}

INSTANTIATE_TEST_SUITE_P(
    Items, HelpMenuTest,
    ::testing::Values(HelpItem{"how_it_works", ControlId::mnub, "Nookshade is the ultimate"},
                      HelpItem{"hotkeys", ControlId::mnuc, "To set hotkeys"},
                      HelpItem{"password", ControlId::mnud, "To set a password"},
                      HelpItem{"fake_work", ControlId::mnue, "Under 'Fake Work'"},
                      HelpItem{"starting", ControlId::mnuf, "Nookshade will only hide"},
                      HelpItem{"advanced_options", ControlId::mnug, "Nookshade offers four"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nookshade::test
