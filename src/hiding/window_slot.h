#pragma once
// A hidden-window slot: one window the program hid on its own, with a tray
// icon of its own until it is restored behind the unlock password.

#include <cstdint>

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
  virtual void FindFreeSlot() = 0;
  virtual RecoveryJournal& Journal() = 0;
  // A hidden window's icon could not be added; the owner tries again later.
  virtual void IconMissing() = 0;
};

class Window {
 public:
  Window(Platform& platform, ProgramState& state, SlotOwner& owner)
      : platform_(platform), state_(state), owner_(owner) {}
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  std::int32_t Id = 0;
  WindowHandle hWnd = 0;
  bool Hiding = false;
  // Whether the slot's icon is in the notification area while it hides.
  bool IconShown = false;

  // False hides the window into the tray; True brings it back once the
  // unlock password has been given.
  void Show(bool bShow);
  // Brings the window back without asking: at unload, and when no icon
  // could be given to it.
  void Restore();
  // Whether the slot hides this very window (not another one that has been
  // given its handle since).
  bool Holds(WindowHandle window);
  // The held window was shown again by its own program: hidden again, in
  // this slot, with the icon it has.
  void HideAgain();
  // Adds the slot's icon; whether it is there now.
  bool SendToTray();
  IconHandle GetWindowIcon();

 private:
  Platform& platform_;
  ProgramState& state_;
  SlotOwner& owner_;
  WindowIdentity identity_;
};

}  // namespace nookshade
