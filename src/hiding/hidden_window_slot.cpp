#include "hiding/hidden_window_slot.h"

#include "hiding/password.h"
#include "model/settings.h"

namespace nookshade {

void HiddenWindowSlot::Hide(WindowHandle window) {
  // A prompt is open: this call arrived through its nested message loop.
  if (platform_.dialogs.IsPasswordPromptVisible()) return;
  if (window == 0) return;
  // Journaled first, so that a kill between the two calls loses nothing;
  // the panel itself goes with the process.
  const bool journaled = window != owner_.PanelHandle();
  const WindowIdentity identity = WindowIdentity::Of(platform_.windows, window);
  if (journaled && !owner_.Journal().Record(identity, HiddenBy::Slot)) {
    platform_.dialogs.MessageBox(kJournalFailedMessage, kAppTitle, message_style::kIconExclamation);
    return;
  }
  platform_.windows.ShowWindow(window, ShowCommand::Hide);
  if (platform_.windows.IsWindowVisible(window)) {
    // A program with more rights than ours ignores the hide, and one that
    // has stopped answering is not asked; an icon would stand for a window
    // that is not hidden at all.
    if (journaled) owner_.Journal().Forget(window, HiddenBy::Slot);
    platform_.dialogs.MessageBox(
        "This window cannot be hidden: its program runs with more rights than Nookshade, or "
        "has stopped responding.",
        kAppTitle, message_style::kIconExclamation);
    return;
  }
  window_ = window;
  identity_ = identity;
  hiding_ = true;
  if (!SendToTray()) owner_.IconMissing();
  owner_.SlotsChanged();
}

void HiddenWindowSlot::RequestRestore() {
  // A prompt is open: this call arrived through its nested message loop.
  if (platform_.dialogs.IsPasswordPromptVisible()) return;
  if (!hiding_) return;
  if (identity_.StillNames(platform_.windows) && !PasswordAccepted(platform_, state_)) return;
  Restore();
}

void HiddenWindowSlot::ReleaseIfGone() {
  if (hiding_ && !identity_.StillNames(platform_.windows)) Restore();
}

void HiddenWindowSlot::Restore() {
  if (!hiding_) return;
  if (identity_.StillNames(platform_.windows)) {
    platform_.windows.ShowWindow(window_, ShowCommand::Show);
  }
  hiding_ = false;
  owner_.Journal().Forget(window_, HiddenBy::Slot);
  platform_.shell.RemoveIcon(owner_.PanelHandle(), id_);
  iconShown_ = false;
  owner_.SlotsChanged();
}

bool HiddenWindowSlot::Holds(WindowHandle window) {
  return hiding_ && window_ == window && identity_.StillNames(platform_.windows);
}

void HiddenWindowSlot::HideAgain() {
  if (hiding_) platform_.windows.ShowWindow(window_, ShowCommand::Hide);
}

bool HiddenWindowSlot::SendToTray() {
  iconShown_ = platform_.shell.ShowIcon(owner_.PanelHandle(), id_, WindowIcon());
  return iconShown_;
}

IconHandle HiddenWindowSlot::WindowIcon() {
  WindowSystem& windows = platform_.windows;
  if (const IconHandle big = windows.GetWindowIcon(window_, IconKind::Big)) return big;
  if (const IconHandle small = windows.GetWindowIcon(window_, IconKind::Small)) return small;
  if (const IconHandle classIcon = windows.GetClassSmallIcon(window_)) return classIcon;
  return windows.GetWindowIcon(owner_.PanelHandle(), IconKind::Small);
}

}  // namespace nookshade
