// The program's icon and the topmost band, on the simulated desktop.

#include "model/window_icon.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace nookshade {
namespace {

using Messages = std::vector<std::tuple<WindowHandle, IconKind, IconHandle>>;

Messages Sent(const sim::SimDesktop& desktop) {
  Messages sent;
  for (const auto& m : desktop.iconMessages) sent.emplace_back(m.window, m.kind, m.icon);
  return sent;
}

TEST(SetAlphaIcon, TheTopOfTheOwnerChainGetsEachIconFirstAtTheSystemsSizes) {
  sim::SimDesktop desktop;
  const WindowHandle top = desktop.AddWindow("Top");
  const WindowHandle middle = desktop.AddWindow("Middle", true, top);
  const WindowHandle window = desktop.AddWindow("Window", true, middle);
  desktop.metrics = {{SystemMetric::IconWidth, 48},
                     {SystemMetric::IconHeight, 40},
                     {SystemMetric::SmallIconWidth, 20},
                     {SystemMetric::SmallIconHeight, 18}};
  SetAlphaIcon(desktop, window, "ABC", true);
  const IconHandle big = 0x7000 + 48, small = 0x7000 + 20;
  EXPECT_EQ(Sent(desktop), (Messages{{top, IconKind::Big, big},
                                     {window, IconKind::Big, big},
                                     {top, IconKind::Small, small},
                                     {window, IconKind::Small, small}}));
  ASSERT_EQ(desktop.iconLoads.size(), 2u);
  EXPECT_EQ(desktop.iconLoads[0].height, 40);
  EXPECT_EQ(desktop.iconLoads[1].height, 18);
  EXPECT_EQ(desktop.Find(middle)->bigIcon, 0);
}

TEST(SetAlphaIcon, AWindowWithoutAnOwnerOrInABrokenChainIsItsOwnTop) {
  sim::SimDesktop desktop;
  const WindowHandle alone = desktop.AddWindow("Alone");
  const WindowHandle looped = desktop.AddWindow("Looped");
  desktop.Find(looped)->owner = looped;
  for (const WindowHandle window : {alone, looped, WindowHandle{0x1234}}) {
    desktop.iconMessages.clear();
    SetAlphaIcon(desktop, window, "ABC", true);
    EXPECT_EQ(desktop.iconMessages.size(), 4u);
    for (const auto& m : desktop.iconMessages) EXPECT_EQ(m.window, window);
  }
}

TEST(SetAlphaIcon, WithoutTheOwnerFlagAndTheResourceOnlyTheWindowGetsZeroIcons) {
  sim::SimDesktop desktop;
  desktop.appIconPresent = false;
  const WindowHandle window = desktop.AddWindow("Owned", true, desktop.AddWindow("Owner"));
  SetAlphaIcon(desktop, window, "ABC", false);
  EXPECT_EQ(Sent(desktop), (Messages{{window, IconKind::Big, 0}, {window, IconKind::Small, 0}}));
}

struct TopmostCase {
  bool topmost;
  std::int32_t platformResult;
  std::int32_t expected;
};

class SetTopMostWindowTest : public ::testing::TestWithParam<TopmostCase> {};

TEST_P(SetTopMostWindowTest, ReportsThePlatformOnlyWhenMakingTopmost) {
  sim::SimDesktop desktop;
  const WindowHandle window = desktop.AddWindow("W");
  desktop.topmostResult = GetParam().platformResult;
  EXPECT_EQ(SetTopMostWindow(desktop, window, GetParam().topmost), GetParam().expected);
  EXPECT_EQ(desktop.Find(window)->topmost, GetParam().topmost);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetTopMostWindowTest,
                         ::testing::Values(TopmostCase{true, 1, 1}, TopmostCase{true, 0, 0},
                                           TopmostCase{false, 1, 0}),
                         [](const auto& info) {
                           return std::string(info.param.topmost ? "on" : "off") + "_result_" +
                                  std::to_string(info.param.platformResult);
                         });

}  // namespace
}  // namespace nookshade
