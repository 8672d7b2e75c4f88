#pragma once
// Hiding every window at once and showing them again. The windows hidden
// together get no slots and no icons; the hide-all set records them.

#include <functional>
#include <optional>
#include <vector>

#include "model/program_state.h"
#include "model/recovery_journal.h"
#include "model/window_identity.h"
#include "platform/platform.h"

namespace nookshade {

class HideAll {
 public:
  HideAll(Platform& platform, ProgramState& state, RecoveryJournal& journal)
      : platform_(platform), state_(state), journal_(journal) {}
  HideAll(const HideAll&) = delete;
  HideAll& operator=(const HideAll&) = delete;

  // The hide-all hotkey: hides every eligible window, or, when they are
  // hidden, shows them again behind the unlock password. Returns whether it
  // hid (true) or showed (false); nothing when the password was refused or
  // the windows could not be recorded before hiding.
  std::optional<bool> Toggle();  // HideAllWindows
  // Every visible, unowned, titled top-level window of another program that
  // is not the way back, top of the Z-order first.
  std::vector<WindowHandle> CollectWindows();
  // Shows the set again in reverse, so that the window that was on top
  // comes back on top; at unload, without asking.
  void ShowHidden();
  bool AllHidden() const { return allHidden_; }
  // A window of the set that the user has since hidden on its own, into a
  // slot: its icon alone brings it back, not show-all.
  void Release(WindowHandle window);
  // A window the fake work hid, let go of by its row while the set is
  // hidden, joins the set (if it is not in it) with the dialogs hidden with
  // it, so that show-all brings them back with the rest; false, taking
  // none, when nothing is hidden, the window is in sight, or the records
  // cannot be written.
  bool Adopt(const WindowIdentity& window, const std::vector<WindowIdentity>& dialogs);
  // The windows of the set that the window owns, itself or through another
  // of them, top of the Z-order first.
  std::vector<WindowIdentity> OwnedBy(WindowHandle window);
  // What becomes of an owner that hide-all does not take itself: held in a
  // slot (its dialogs go too, as it went), or shown again at once with the
  // fake work (its dialogs stay in sight with it).
  std::function<bool(WindowHandle)> heldInSlot;
  std::function<bool(WindowHandle)> shownAgain;
  // A window of the set that the fake work hid too (its program showed it
  // meanwhile): show-all brings back the dialogs the toggle hid with it,
  // then tells the toggle, which lets go of it.
  std::function<std::vector<WindowIdentity>(WindowHandle)> dialogsHiddenWith;
  std::function<void(WindowHandle)> shownWithDialogs;

 private:
  bool HideCollected();

  Platform& platform_;
  ProgramState& state_;
  RecoveryJournal& journal_;
  bool allHidden_ = false;  // AllHidden
  // What the last hide-all hid, as it was then, top of the Z-order first.
  std::vector<WindowIdentity> hidden_;  // hws
  WindowHandle front_ = 0;              // the window that had the keyboard
};

}  // namespace nookshade
