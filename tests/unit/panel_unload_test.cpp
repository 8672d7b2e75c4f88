// Closing the panel gives back everything the program hid, without asking
// for the password, and leaves the panel's window procedure as it found it.

#include <gtest/gtest.h>

#include "hiding/tray_icons.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

class PanelUnloadTest : public SimTest {
 protected:
  WindowHandle HideInSlot(int slot, const std::string& title) {
    const WindowHandle window = desktop.AddWindow(title);
    panel().WindowSlots[slot]->hWnd = window;
    panel().WindowSlots[slot]->Show(false);
    panel().FindFreeSlot();
    return window;
  }
};

TEST_F(PanelUnloadTest, RestoresEverySlotWithoutAPromptAndRemovesTheirIcons) {
  session.Start();
  const WindowHandle a = HideInSlot(0, "Editor");
  const WindowHandle b = HideInSlot(1, "Mail");
  ASSERT_FALSE(desktop.IsWindowVisible(a));
  ASSERT_EQ(desktop.trayIcons.size(), 2u);
  session.Close();
  EXPECT_TRUE(desktop.IsWindowVisible(a));
  EXPECT_TRUE(desktop.IsWindowVisible(b));
  EXPECT_TRUE(desktop.trayIcons.empty());
  EXPECT_EQ(desktop.passwordPromptsShown, 0);
  EXPECT_EQ(session.state().UnlockPassword, "");
}

TEST_F(PanelUnloadTest, RestoresThePanelsOwnSlotAfterAnAutomaticStart) {
  Store(setting::kAutoStart, "1");
  session.Start();
  const WindowHandle other = HideInSlot(1, "Game");
  session.Close();
  EXPECT_TRUE(desktop.IsWindowVisible(other));
  EXPECT_TRUE(desktop.trayIcons.empty());
  EXPECT_EQ(desktop.passwordPromptsShown, 0);
}

TEST_F(PanelUnloadTest, ShowsHideAllWindowsInReverseOrderAndTheFakeWork) {
  session.Start();
  const WindowHandle top = desktop.AddWindow("Top", false);
  const WindowHandle below = desktop.AddWindow("Below", false);
  const WindowHandle work = desktop.AddWindow("Spreadsheet", false);
  panel().hws.Add(std::to_string(top));
  panel().hws.Add(std::to_string(below));
  panel().hws.Add("not a handle");
  panel().fw1.SetTag(std::to_string(work));
  panel().fw1.SetText("Spreadsheet");
  session.Close();
  EXPECT_TRUE(desktop.IsWindowVisible(top));
  EXPECT_TRUE(desktop.IsWindowVisible(below));
  EXPECT_TRUE(desktop.IsWindowVisible(work));
  // The window that was on top is shown last, so it is on top again; the
  // fake work comes after all of them.
  const auto order = desktop.EnumTopLevelWindows();
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(order[0], work);
  EXPECT_EQ(order[1], top);
  EXPECT_EQ(order[2], below);
}

TEST_F(PanelUnloadTest, PutsTheWindowProcedureBackAndStopsTheTimers) {
  session.Start();
  const WindowHandle panelWindow = session.PanelWindow();
  panel().Form_Unload();
  EXPECT_EQ(session.state().PreviousWindowProc, 0);
  EXPECT_FALSE(desktop.TimerRunning(TimerId::HotkeyPoll));
  // A tray double-click after the unload reaches the window's own procedure
  // and nothing else.
  desktop.SendMessage(panelWindow, kTrayCallbackMessage, 0, kTrayDoubleClick);
  EXPECT_EQ(desktop.Find(panelWindow)->received.back(), kTrayCallbackMessage);
  EXPECT_EQ(desktop.passwordPromptsShown, 0);
}

TEST_F(PanelUnloadTest, GivesBackInOrderThenRestoresTheProcedureAndUnloadsThePrompt) {
  session.Start();
  HideInSlot(0, "Editor");
  const WindowHandle listed = desktop.AddWindow("Listed", false);
  const WindowHandle work = desktop.AddWindow("Work", false);
  panel().hws.Add(std::to_string(listed));
  panel().fw1.SetTag(std::to_string(work));
  panel().fw1.SetText("Work");
  desktop.journal.clear();
  session.Close();
  // The recovery journal's own writes are not part of the order.
  std::erase_if(desktop.journal, [](const std::string& line) { return line.ends_with("Windows"); });
  const std::vector<std::string> expected = {"show Editor", "tray delete 0",     "show Listed",
                                             "show Work",   "restore procedure", "unload prompt"};
  EXPECT_EQ(desktop.journal, expected);
}

TEST_F(PanelUnloadTest, EndingTheSessionDuringAPromptStillGivesEverythingBack) {
  session.Start();
  const WindowHandle a = HideInSlot(0, "Editor");
  const WindowHandle b = HideInSlot(1, "Mail");
  // Log-off arrives through the prompt's own message loop.
  desktop.whilePasswordPromptOpen = [&] { panel().Form_Unload(); };
  desktop.SendMessage(session.PanelWindow(), kTrayCallbackMessage, 1, kTrayDoubleClick);
  EXPECT_TRUE(desktop.IsWindowVisible(a));
  EXPECT_TRUE(desktop.IsWindowVisible(b));
  EXPECT_TRUE(desktop.trayIcons.empty());
  // The double-click that opened the prompt still reaches the panel.
  EXPECT_EQ(desktop.Find(session.PanelWindow())->received,
            std::vector<std::uint32_t>{kTrayCallbackMessage});
}

TEST_F(PanelUnloadTest, AWindowClosedWhileHiddenStillFreesItsSlotAndIcon) {
  session.Start();
  const WindowHandle gone = HideInSlot(0, "Closed later");
  desktop.DestroyWindow(gone);
  session.Close();
  EXPECT_TRUE(desktop.trayIcons.empty());
}

TEST_F(PanelUnloadTest, AShellRestartGivesEveryHiddenWindowItsIconBack) {
  Store(setting::kAutoStart, "1");
  session.Start();
  HideInSlot(1, "Editor");
  desktop.trayIcons.clear();  // the new notification area starts empty
  panel().ShellRestarted();
  EXPECT_TRUE(desktop.trayIcons.contains({session.PanelWindow(), 0}));
  EXPECT_TRUE(desktop.trayIcons.contains({session.PanelWindow(), 1}));
  EXPECT_EQ(desktop.trayIcons.size(), 2u);
  // And the icons work: the panel's own one brings the panel back.
  desktop.passwordAnswers = {"417"};
  panel().Form1_Mouse(1, 0, 0, 0);
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
}

}  // namespace
}  // namespace nookshade::test
