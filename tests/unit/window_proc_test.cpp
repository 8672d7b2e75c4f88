// The tray icons of hidden windows, through the panel's replacement window
// procedure: a left double-click on an icon restores its slot behind the
// unlock password, and every message still reaches the panel.

#include <gtest/gtest.h>

#include "hiding/tray_icons.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

constexpr std::intptr_t kLeftButtonUp = 0x202, kRightButtonDoubleClick = 0x206;
constexpr std::uint32_t kMouseMove = 0x200, kTray = kTrayCallbackMessage;
constexpr auto kName = [](const auto& info) { return std::string(info.param.name); };

class TrayTest : public SimTest {
 protected:
  void SetUp() override {
    session.Start();
    first = HideInSlot(0, "Notes");
    last = HideInSlot(10, "Mail");
  }
  WindowHandle HideInSlot(int slot, const std::string& title) {
    const WindowHandle window = desktop.AddWindow(title);
    panel().WindowSlots[slot]->hWnd = window;
    panel().WindowSlots[slot]->Show(false);
    return window;
  }
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return desktop.SendMessage(session.PanelWindow(), message, wParam, lParam);
  }
  void DoubleClick(int slot) { Send(kTray, static_cast<std::uintptr_t>(slot), kTrayDoubleClick); }
  WindowHandle first = 0, last = 0;
};

struct MessageCase {
  const char* name;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  int restoredSlot;  // -1: none
};

class TrayMessageTest : public TrayTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(TrayMessageTest, OnlyALeftDoubleClickRestoresAndThePanelGetsEveryMessage) {
  const auto& m = GetParam();
  panel().TextEdited(ControlId::PW, "");
  Send(m.message, m.wParam, m.lParam);
  EXPECT_EQ(desktop.IsWindowVisible(first), m.restoredSlot == 0);
  EXPECT_EQ(desktop.IsWindowVisible(last), m.restoredSlot == 10);
  EXPECT_EQ(desktop.Find(session.PanelWindow())->received.back(), m.message);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TrayMessageTest,
    ::testing::Values(MessageCase{"double_click_first_slot", kTray, 0, kTrayDoubleClick, 0},
                      MessageCase{"double_click_last_slot", kTray, 10, kTrayDoubleClick, 10},
                      MessageCase{"single_click", kTray, 0, kLeftButtonUp, -1},
                      MessageCase{"right_double_click", kTray, 0, kRightButtonDoubleClick, -1},
                      MessageCase{"identifier_beyond_the_slots", kTray, 11, kTrayDoubleClick, -1},
                      MessageCase{"negative_identifier", kTray, 0xFFFF, kTrayDoubleClick, -1},
                      MessageCase{"identifier_wider_than_16_bits", kTray, 0x10000, kTrayDoubleClick,
                                  -1},
                      // A real mouse move whose coordinates spell out a double-click.
                      MessageCase{"mouse_move_at_515_0", kMouseMove, 0, kTrayDoubleClick, -1}),
    kName);

struct RestoreCase {
  const char* name;
  std::string password;
  std::optional<std::string> answer;  // nothing: cancelled
  bool prompted, restored;
};

class RestoreTest : public TrayTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, TheWindowComesBackOnlyWithTheExactPassword) {
  const auto& c = GetParam();
  panel().TextEdited(ControlId::PW, c.password);
  desktop.passwordAnswers.push_back(c.answer);
  bool promptInFront = false;
  desktop.whilePasswordPromptOpen = [&] {
    const sim::SimWindow& prompt = *desktop.Find(desktop.lastPromptWindow);
    promptInFront = prompt.visible && prompt.topmost && prompt.smallIcon != 0;
  };
  DoubleClick(0);
  EXPECT_EQ(desktop.passwordPromptsShown, c.prompted ? 1 : 0);
  EXPECT_EQ(promptInFront, c.prompted);
  EXPECT_EQ(desktop.IsWindowVisible(first), c.restored);
  EXPECT_EQ(desktop.trayIcons.contains({session.PanelWindow(), 0}), !c.restored);
  EXPECT_TRUE(desktop.messageBoxes.empty());           // nothing is said about a wrong answer
  EXPECT_TRUE(session.state().TypedPassword.Empty());  // nor kept
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RestoreTest,
    ::testing::Values(RestoreCase{"right", "417", "417", true, true},
                      RestoreCase{"other_case", "Secret", "secret", true, false},
                      RestoreCase{"cancelled", "417", std::nullopt, true, false},
                      RestoreCase{"blank_password", " ", " ", true, true},
                      RestoreCase{"placeholder_in_other_case", "[no password set]", "", true,
                                  false},
                      RestoreCase{"no_password", "", std::nullopt, false, true},
                      RestoreCase{"placeholder", "[No Password Set]", std::nullopt, false, true}),
    kName);

TEST_F(TrayTest, ADoubleClickWhileThePromptIsOpenIsIgnored) {
  desktop.passwordAnswers = {"417", "417"};
  desktop.whilePasswordPromptOpen = [&] {
    desktop.whilePasswordPromptOpen = nullptr;
    DoubleClick(10);
  };
  DoubleClick(0);
  EXPECT_TRUE(desktop.IsWindowVisible(first));
  EXPECT_FALSE(desktop.IsWindowVisible(last));
  EXPECT_EQ(desktop.passwordPromptsShown, 1);
}

TEST_F(TrayTest, EndingTheSessionDuringAPromptStillGivesEverythingBack) {
  // Log-off arrives through the prompt's own message loop.
  desktop.whilePasswordPromptOpen = [&] { panel().Form_Unload(); };
  const std::size_t received = desktop.Find(session.PanelWindow())->received.size();
  DoubleClick(10);
  EXPECT_TRUE(desktop.IsWindowVisible(first));
  EXPECT_TRUE(desktop.IsWindowVisible(last));
  EXPECT_TRUE(desktop.trayIcons.empty());
  // The double-click that opened the prompt still reaches the panel itself.
  EXPECT_EQ(desktop.Find(session.PanelWindow())->received.size(), received + 1);
}

TEST_F(TrayTest, MessagesPassThroughWithThePreviousProceduresResult) {
  const WindowHandle panelWindow = session.PanelWindow();
  panel().TextEdited(ControlId::PW, "");
  panel().RemovePanelWindowProc(panelWindow);
  desktop.ReplaceWindowProc(panelWindow,
                            [](WindowHandle, std::uint32_t message, std::uintptr_t,
                               std::intptr_t) -> std::intptr_t { return message + 1; });
  panel().InstallPanelWindowProc(panelWindow);
  EXPECT_EQ(Send(0x10, 0, 0), 0x11);
  EXPECT_EQ(Send(kTray, 0, kTrayDoubleClick), kTray + 1);
  EXPECT_TRUE(desktop.IsWindowVisible(first));
}

struct ShellCase {
  const char* name;
  std::uint16_t majorVersion;
  std::int32_t recordSize;
};

class TrayRecordTest : public SimTest, public ::testing::WithParamInterface<ShellCase> {};

TEST_P(TrayRecordTest, TheIconRecordIsTheShellVersionsOwn) {
  desktop.shellMajorVersion = GetParam().majorVersion;
  Store(setting::kAutoStart, "1");
  session.Start();
  EXPECT_EQ(desktop.trayIcons.at({session.PanelWindow(), 0}).recordSize, GetParam().recordSize);
}

INSTANTIATE_TEST_SUITE_P(Shells, TrayRecordTest,
                         ::testing::Values(ShellCase{"version_6", 6, 504},
                                           ShellCase{"version_5", 5, 488},
                                           ShellCase{"older", 4, 88}),
                         kName);

}  // namespace
}  // namespace nookshade::test
