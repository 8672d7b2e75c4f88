// The panel's replacement window procedure: tray double-clicks restore the
// slot named by the icon, and every message still reaches the panel.

#include <gtest/gtest.h>

#include "hiding/tray_icons.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

constexpr std::intptr_t kLeftButtonUp = 0x202;
constexpr std::intptr_t kRightButtonDoubleClick = 0x206;
constexpr std::uint32_t kMouseMove = 0x200;

class WindowProcTest : public SimTest {
 protected:
  void SetUp() override {
    Store(setting::kPassword, "");
    session.Start();
    hidden = desktop.AddWindow("Notes");
    panel().WindowSlots[3]->hWnd = hidden;
    panel().WindowSlots[3]->Show(false);
    panel().FindFreeSlot();
  }
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return desktop.SendMessage(session.PanelWindow(), message, wParam, lParam);
  }
  WindowHandle hidden = 0;
};

TEST_F(WindowProcTest, DoubleClickOnAnIconRestoresItsSlot) {
  Send(kTrayCallbackMessage, 3, kTrayDoubleClick);
  EXPECT_TRUE(desktop.IsWindowVisible(hidden));
  EXPECT_FALSE(panel().WindowSlots[3]->Hiding);
  EXPECT_FALSE(desktop.trayIcons.contains({session.PanelWindow(), 3}));
}

struct IgnoredMessage {
  const char* name;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

class IgnoredMessageTest : public WindowProcTest,
                           public ::testing::WithParamInterface<IgnoredMessage> {};

TEST_P(IgnoredMessageTest, LeavesTheSlotsAloneAndReachesThePanel) {
  const auto& m = GetParam();
  const std::size_t before = desktop.Find(session.PanelWindow())->received.size();
  Send(m.message, m.wParam, m.lParam);
  EXPECT_FALSE(desktop.IsWindowVisible(hidden)) << m.name;
  EXPECT_TRUE(panel().WindowSlots[3]->Hiding) << m.name;
  const auto& received = desktop.Find(session.PanelWindow())->received;
  ASSERT_EQ(received.size(), before + 1) << m.name;
  EXPECT_EQ(received.back(), m.message) << m.name;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, IgnoredMessageTest,
    ::testing::Values(
        IgnoredMessage{"single click", kTrayCallbackMessage, 3, kLeftButtonUp},
        IgnoredMessage{"right double-click", kTrayCallbackMessage, 3, kRightButtonDoubleClick},
        IgnoredMessage{"identifier beyond the slots", kTrayCallbackMessage, 11, kTrayDoubleClick},
        IgnoredMessage{"negative identifier", kTrayCallbackMessage, 0xFFFF, kTrayDoubleClick},
        IgnoredMessage{"identifier wider than 16 bits", kTrayCallbackMessage, 0x10003,
                       kTrayDoubleClick},
        // A real mouse move whose coordinates spell out a double-click.
        IgnoredMessage{"mouse move at (515, 0)", kMouseMove, 3, kTrayDoubleClick}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST_F(WindowProcTest, EveryMessagePassesThroughWithThePreviousResult) {
  // The panel's own procedure answers 0 for everything in the simulation;
  // a procedure installed below the panel's shows that results come back.
  const WindowHandle panelWindow = session.PanelWindow();
  panel().RemovePanelWindowProc(panelWindow);
  desktop.ReplaceWindowProc(panelWindow,
                            [](WindowHandle, std::uint32_t message, std::uintptr_t,
                               std::intptr_t) -> std::intptr_t { return message + 1; });
  panel().InstallPanelWindowProc(panelWindow);
  EXPECT_EQ(Send(0x10, 0, 0), 0x11);
  EXPECT_EQ(Send(kTrayCallbackMessage, 3, kTrayDoubleClick), kTrayCallbackMessage + 1);
  EXPECT_TRUE(desktop.IsWindowVisible(hidden));
}

TEST_F(WindowProcTest, IsInstalledOnlyOnce) {
  const WindowProcToken first = session.state().PreviousWindowProc;
  panel().InstallPanelWindowProc(session.PanelWindow());
  EXPECT_EQ(session.state().PreviousWindowProc, first);
  // One pass through the panel's procedure per message, not two.
  const std::size_t before = desktop.Find(session.PanelWindow())->received.size();
  Send(0x10, 0, 0);
  EXPECT_EQ(desktop.Find(session.PanelWindow())->received.size(), before + 1);
}

TEST_F(WindowProcTest, DoubleClickWhileThePanelIsVisibleStillReachesTheSlot) {
  ASSERT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
  Send(kTrayCallbackMessage, 3, kTrayDoubleClick);
  EXPECT_TRUE(desktop.IsWindowVisible(hidden));
}

}  // namespace
}  // namespace nookshade::test
