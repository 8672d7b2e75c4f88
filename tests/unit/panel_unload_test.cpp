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
    return window;
  }
};

TEST_F(PanelUnloadTest, RestoresEverySlotWithoutAPromptAndRemovesTheirIcons) {
  Store(setting::kAutoStart, "1");  // the panel itself in the first slot
  session.Start();
  const WindowHandle editor = HideInSlot(1, "Editor");
  const WindowHandle mail = HideInSlot(10, "Mail");
  desktop.DestroyWindow(HideInSlot(2, "Closed while hidden"));
  session.Close();
  EXPECT_TRUE(desktop.IsWindowVisible(editor));
  EXPECT_TRUE(desktop.IsWindowVisible(mail));
  EXPECT_TRUE(desktop.trayIcons.empty());
  EXPECT_EQ(desktop.passwordPromptsShown, 0);
  EXPECT_EQ(session.state().UnlockPassword, "");
}

TEST_F(PanelUnloadTest, ShowsHideAllWindowsInReverseOrderAndTheFakeWorkLast) {
  session.Start();
  const WindowHandle below = desktop.AddWindow("Below");
  const WindowHandle top = desktop.AddWindow("Top");
  panel().HideAllWindows();
  const WindowHandle work = desktop.AddWindow("Spreadsheet", false);
  panel().fw1.SetTag(std::to_string(work));
  panel().fw1.SetText("Spreadsheet");
  session.Close();
  // Each shown window comes to the top: the one that was on top is shown last.
  EXPECT_EQ(desktop.EnumTopLevelWindows(), (std::vector{work, top, below}));
  for (const WindowHandle w : {work, top, below}) EXPECT_TRUE(desktop.IsWindowVisible(w));
}

TEST_F(PanelUnloadTest, LeavesNoProcedureTimerOrPromptBehind) {
  session.Start();
  const WindowHandle editor = HideInSlot(0, "Editor");
  panel().InstallPanelWindowProc(session.PanelWindow());  // a second install changes nothing
  panel().Form_Unload();
  // Ends any prompt still loaded, and with it whatever was typed into it.
  EXPECT_EQ(desktop.journal.back(), "unload prompt");
  EXPECT_FALSE(desktop.TimerRunning(TimerId::HotkeyPoll));
  // Its icon no longer reaches the slot.
  panel().WindowSlots[0]->Show(false);
  desktop.SendMessage(session.PanelWindow(), kTrayCallbackMessage, 0, kTrayDoubleClick);
  EXPECT_FALSE(desktop.IsWindowVisible(editor));
}

TEST_F(PanelUnloadTest, AShellRestartGivesEveryHiddenWindowItsIconBack) {
  Store(setting::kAutoStart, "1");
  session.Start();
  HideInSlot(1, "Editor");
  desktop.trayIcons.clear();  // the new notification area starts empty
  panel().ShellRestarted();
  EXPECT_EQ(desktop.trayIcons.size(), 2u);
  // And they work: the panel's own one brings the panel back.
  desktop.passwordAnswers = {"417"};
  desktop.SendMessage(session.PanelWindow(), kTrayCallbackMessage, 0, kTrayDoubleClick);
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
}

}  // namespace
}  // namespace nookshade::test
