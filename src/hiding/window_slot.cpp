#include "hiding/window_slot.h"

#include "hiding/password.h"
#include "hiding/tray_icons.h"
#include "model/settings.h"

namespace nookshade {

void Window::Show(bool bShow) {
  // A prompt is open: this call arrived through its nested message loop.
  if (platform_.dialogs.IsPasswordPromptVisible()) return;
  if (hWnd == 0) return;
  if (!bShow) {
    // Journaled first, so that a kill between the two calls loses nothing;
    // the panel itself goes with the process.
    const bool journaled = hWnd != owner_.PanelHandle();
    identity_ = WindowIdentity::Of(platform_.windows, hWnd);
    if (journaled) owner_.Journal().Record(hWnd, HiddenBy::Slot);
    platform_.windows.ShowWindow(hWnd, ShowCommand::Hide);
    if (platform_.windows.IsWindowVisible(hWnd)) {
      // A program with more rights than ours ignores the hide; an icon
      // would stand for a window that is not hidden at all.
      if (journaled) owner_.Journal().Forget(hWnd, HiddenBy::Slot);
      platform_.dialogs.MessageBox(
          "This window cannot be hidden: its program runs with more rights than Nookshade.",
          kAppTitle, message_style::kIconExclamation);
      return;
    }
    Hiding = true;
    if (!SendToTray()) owner_.IconMissing();
    return;
  }
  if (!PasswordAccepted(platform_, state_)) return;
  Restore();
}

void Window::Restore() {
  if (!Hiding) return;
  if (identity_.StillNames(platform_.windows))
    platform_.windows.ShowWindow(hWnd, ShowCommand::Show);
  Hiding = false;
  owner_.Journal().Forget(hWnd, HiddenBy::Slot);
  RemoveTrayIcon(platform_, state_, owner_.PanelHandle(), Id);
  IconShown = false;
  owner_.FindFreeSlot();
}

bool Window::Holds(WindowHandle window) {
  return Hiding && hWnd == window && identity_.StillNames(platform_.windows);
}

void Window::HideAgain() {
  if (!Hiding) return;
  platform_.windows.ShowWindow(hWnd, ShowCommand::Hide);
}

bool Window::SendToTray() {
  IconShown = AddTrayIcon(platform_, state_, owner_.PanelHandle(), TrayEntry{Id, GetWindowIcon()});
  return IconShown;
}

IconHandle Window::GetWindowIcon() {
  WindowSystem& windows = platform_.windows;
  if (const IconHandle big = windows.GetWindowIcon(hWnd, IconKind::Big)) return big;
  if (const IconHandle small = windows.GetWindowIcon(hWnd, IconKind::Small)) return small;
  if (const IconHandle classIcon = windows.GetClassSmallIcon(hWnd)) return classIcon;
  return windows.GetWindowIcon(owner_.PanelHandle(), IconKind::Small);
}

}  // namespace nookshade
