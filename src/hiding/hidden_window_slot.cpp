#include "hiding/hidden_window_slot.h"

#include <algorithm>
#include <iterator>

#include "hiding/password.h"
#include "model/owned_windows.h"
#include "model/settings.h"

namespace nookshade {
void HiddenWindowSlot::Hide(WindowHandle window) {
  // A prompt is open: this call arrived through its nested message loop.
  if (platform_.dialogs.IsPasswordPromptVisible()) return;
  if (window == 0) return;
  // Journaled first, so that a kill between the two calls loses nothing;
  // the panel itself goes with the process.
  const bool journaled = window != owner_.PanelHandle();
  // Its dialogs go with it: left in sight, they would show what it holds.
  const WindowHandle front = platform_.windows.GetForegroundWindow();
  std::vector<WindowIdentity> hidden{WindowIdentity::Of(platform_.windows, window)};
  if (journaled) std::ranges::copy(VisibleDialogs(platform_, window), std::back_inserter(hidden));
  if (journaled && !owner_.Journal().Record(hidden, HiddenBy::Slot)) {
    platform_.dialogs.MessageBox(kJournalFailedMessage, kAppTitle, message_style::kIconExclamation);
    return;
  }
  platform_.windows.ShowWindow(window, ShowCommand::Hide);
  if (platform_.windows.IsWindowVisible(window)) {
    // A program with more rights than ours ignores the hide, and one that
    // has stopped answering is not asked; an icon would stand for a window
    // that is not hidden at all.
    if (journaled) owner_.Journal().Forget(Handles(hidden), HiddenBy::Slot);
    platform_.dialogs.MessageBox(
        "This window cannot be hidden: its program runs with more rights than Nookshade, or "
        "has stopped responding.",
        kAppTitle, message_style::kIconExclamation);
    return;
  }
  for (std::size_t i = 1; i < hidden.size(); ++i) {
    platform_.windows.ShowWindow(hidden[i].window, ShowCommand::Hide);
  }
  window_ = window;
  front_ = front;
  identity_ = hidden.front();
  dialogs_.assign(hidden.begin() + 1, hidden.end());
  hiding_ = true;
  takingDialogs_ = journaled;
  hiddenAt_ = platform_.keyboard.TickCount();
  if (!SendToTray()) owner_.IconMissing();
  owner_.SlotsChanged();
}

void HiddenWindowSlot::RequestRestore() {
  // A prompt is open: this call arrived through its nested message loop.
  // The user waits for that prompt, which the double-click put behind.
  if (platform_.dialogs.IsPasswordPromptVisible()) {
    platform_.dialogs.BringPasswordPromptForward();
    return;
  }
  if (!hiding_) return;
  if (identity_.StillNames(platform_.windows) && !PasswordAccepted(platform_, state_)) return;
  Restore();
}

void HiddenWindowSlot::ReleaseIfGone() {
  if (hiding_ && !identity_.StillNames(platform_.windows)) Restore();
}

void HiddenWindowSlot::Restore() {
  if (!hiding_) return;
  // The window first, its dialogs after it, on top of it as they were.
  const std::vector<WindowIdentity> shown = BottomUp(identity_, dialogs_);
  ShowAgain(platform_.windows, shown, front_);
  hiding_ = false;
  dialogs_.clear();
  owner_.Journal().Forget(Handles(shown), HiddenBy::Slot);
  platform_.shell.RemoveIcon(owner_.PanelHandle(), id_);
  iconShown_ = false;
  owner_.SlotsChanged();
  owner_.IconRemoved();
}

bool HiddenWindowSlot::Holds(WindowHandle window) {
  return hiding_ && window_ == window && identity_.StillNames(platform_.windows);
}

bool HiddenWindowSlot::Keeps(WindowHandle window) {
  if (Holds(window)) return true;
  const auto dialog = std::ranges::find(dialogs_, window, &WindowIdentity::window);
  return hiding_ && dialog != dialogs_.end() && dialog->StillNames(platform_.windows);
}

void HiddenWindowSlot::HideAgain(WindowHandle inFront) {
  if (!hiding_) return;
  // The user was last in it now, perhaps in a dialog opened since, as at
  // its first hide; still out of sight, it keeps the one of that hide.
  if (platform_.windows.IsWindowVisible(window_)) front_ = platform_.windows.GetForegroundWindow();
  platform_.windows.ShowWindow(window_, ShowCommand::Hide);
  takingDialogs_ = true;
  hiddenAt_ = platform_.keyboard.TickCount();
  HideVisibleDialogs(inFront);
}

void HiddenWindowSlot::TakeDialogsOpenedAsItHid(const std::function<bool(WindowHandle)>& leave) {
  constexpr std::uint32_t kFollowMs = 500;
  if (!takingDialogs_) return;
  // Wrap-safe: the clock runs round.
  if (platform_.keyboard.TickCount() - hiddenAt_ > kFollowMs || !Holds(window_) ||
      platform_.windows.IsWindowVisible(window_)) {
    takingDialogs_ = false;
    return;
  }
  HideVisibleDialogs(0, leave);
}

void HiddenWindowSlot::HideVisibleDialogs(WindowHandle inFront,
                                          const std::function<bool(WindowHandle)>& leave) {
  // With the dialogs it shows now, those it had among them, journaled as
  // its own first; if they cannot be, they stay in sight. A dialog in
  // front whose owner is out of sight is on no owner chain in sight.
  std::vector<WindowIdentity> shown = VisibleDialogs(platform_, window_);
  if (inFront != 0 && inFront != window_ && platform_.windows.IsWindowVisible(inFront) &&
      std::ranges::find(shown, inFront, &WindowIdentity::window) == shown.end()) {
    shown.push_back(WindowIdentity::Of(platform_.windows, inFront));
  }
  if (leave) std::erase_if(shown, [&leave](const WindowIdentity& d) { return leave(d.window); });
  if (!Adopt(shown)) return;
  for (const WindowIdentity& dialog : shown) {
    platform_.windows.ShowWindow(dialog.window, ShowCommand::Hide);
  }
}

bool HiddenWindowSlot::Adopt(const std::vector<WindowIdentity>& dialogs) {
  if (!owner_.Journal().Record(dialogs, HiddenBy::Slot)) return false;
  // On top of the others; one it had twice, journaled twice, is forgotten
  // twice as it is shown again.
  dialogs_.insert(dialogs_.begin(), dialogs.begin(), dialogs.end());
  return true;
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
