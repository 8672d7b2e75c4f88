#pragma once
// A hidden-window slot: one window the program hid on its own, with a tray
// icon of its own until it is restored behind the unlock password.

#include <cstdint>
#include <functional>
#include <vector>

#include "model/program_state.h"
#include "model/recovery_journal.h"
#include "model/window_identity.h"
#include "platform/platform.h"

namespace nookshade {

inline constexpr int kSlotCount = 11;

// What a slot needs from the panel that owns it.
class SlotOwner {
 public:
  virtual ~SlotOwner() = default;
  virtual WindowHandle PanelHandle() const = 0;
  // A slot was taken or given back.
  virtual void SlotsChanged() = 0;
  virtual RecoveryJournal& Journal() = 0;
  // A hidden window's icon could not be added; the owner tries again later.
  virtual void IconMissing() = 0;
  // A slot's icon was taken away.
  virtual void IconRemoved() = 0;
};

class HiddenWindowSlot {  // Window
 public:
  HiddenWindowSlot(std::int32_t id, Platform& platform, ProgramState& state, SlotOwner& owner)
      : id_(id), platform_(platform), state_(state), owner_(owner) {}
  HiddenWindowSlot(const HiddenWindowSlot&) = delete;
  HiddenWindowSlot& operator=(const HiddenWindowSlot&) = delete;

  std::int32_t Id() const { return id_; }
  WindowHandle Window() const { return window_; }
  bool Hiding() const { return hiding_; }
  // Whether the slot's icon is in the notification area while it hides.
  bool IconShown() const { return iconShown_; }

  // Hides the window into the tray with this slot's icon. A window that
  // stays visible (its program runs with more rights) is not taken.
  void Hide(WindowHandle window);
  // The icon's double-click: the window comes back once the unlock
  // password has been given. The icon of a window that is gone goes without
  // asking: there is nothing left to show.
  void RequestRestore();
  // A slot whose window is gone (closed, its handle perhaps given to another
  // window) lets go of it, its icon and its record.
  void ReleaseIfGone();
  // Brings the window back without asking: at unload, and when no icon
  // could be given to it.
  void Restore();
  // Whether the slot hides this very window (not another one that has been
  // given its handle since).
  bool Holds(WindowHandle window);
  // Whether the slot hides this very window, or holds it as a dialog of its
  // window: then its icon alone brings it back.
  bool Keeps(WindowHandle window);
  // The held window was shown again by its own program, or a dialog of it
  // (`inFront`): hidden again, in this slot, with the icon it has, and with
  // the dialogs it shows now.
  void HideAgain(WindowHandle inFront = 0);
  // Dialogs of the held window (hide-all's, or ones it shows again): the
  // slot holds them from now on, journaled as its own. Whether it took them.
  bool Adopt(const std::vector<WindowIdentity>& dialogs);
  // Adds the slot's icon; whether it is there now.
  bool SendToTray();
  // For half a second after the hide, at each tick: a dialog the window's
  // program opens as it goes (Notepad's Replace box, opened by the very
  // Ctrl+H that hid it) goes after it, into this slot; not one that `leave`
  // names, nor any once the window is in sight again.
  void TakeDialogsOpenedAsItHid(const std::function<bool(WindowHandle)>& leave);

 private:
  IconHandle WindowIcon();
  void HideVisibleDialogs(WindowHandle inFront = 0,
                          const std::function<bool(WindowHandle)>& leave = nullptr);

  const std::int32_t id_;  // Id
  Platform& platform_;
  ProgramState& state_;
  SlotOwner& owner_;
  WindowHandle window_ = 0;  // hWnd
  bool hiding_ = false;      // Hiding
  bool iconShown_ = false;
  WindowIdentity identity_;
  // The window's dialogs hidden with it, top of the Z-order first.
  std::vector<WindowIdentity> dialogs_;
  WindowHandle front_ = 0;  // which of them had the keyboard
  bool takingDialogs_ = false;
  std::uint32_t hiddenAt_ = 0;  // the keyboard's clock
};

}  // namespace nookshade
