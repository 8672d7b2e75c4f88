#include "hiding/window_slot.h"

#include "hiding/password.h"
#include "hiding/tray_icons.h"

namespace nookshade {

void Window::Show(bool bShow) {
  // A prompt is open: this call arrived through its nested message loop.
  if (platform_.dialogs.IsPasswordPromptVisible()) return;
  if (hWnd == 0) return;
  if (!bShow) {
    platform_.windows.ShowWindow(hWnd, ShowCommand::Hide);
    SendToTray();
    Hiding = true;
    return;
  }
  if (!PasswordAccepted(platform_, state_)) return;
  platform_.windows.ShowWindow(hWnd, ShowCommand::Show);
  Hiding = false;
  RemoveTrayIcon(platform_, state_, owner_.PanelHandle(), Id);
  owner_.FindFreeSlot();
}

void Window::SendToTray() {
  AddTrayIcon(platform_, state_, owner_.PanelHandle(), TrayEntry{Id, GetWindowIcon()});
}

IconHandle Window::GetWindowIcon() {
  WindowSystem& windows = platform_.windows;
  if (const IconHandle big = windows.GetWindowIcon(hWnd, IconKind::Big)) return big;
  if (const IconHandle small = windows.GetWindowIcon(hWnd, IconKind::Small)) return small;
  if (const IconHandle classIcon = windows.GetClassSmallIcon(hWnd)) return classIcon;
  return windows.GetWindowIcon(owner_.PanelHandle(), IconKind::Small);
}

}  // namespace nookshade
