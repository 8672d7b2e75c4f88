#pragma once
// Hiding every window at once and showing them again. The windows hidden
// together get no slots and no icons; the hidden list records them.

#include <optional>

#include "model/controls.h"
#include "model/program_state.h"
#include "model/recovery_journal.h"
#include "platform/platform.h"

namespace nookshade {

class HideAll {
 public:
  HideAll(ListBox& hws, Platform& platform, ProgramState& state, RecoveryJournal& journal)
      : hws_(hws), platform_(platform), state_(state), journal_(journal) {}
  HideAll(const HideAll&) = delete;
  HideAll& operator=(const HideAll&) = delete;

  // The hide-all hotkey: hides every eligible window, or, when they are
  // hidden, shows them again behind the unlock password. Returns whether it
  // hid (true) or showed (false); nothing when the password was refused.
  std::optional<bool> HideAllWindows();
  // Fills the list with every visible, unowned, titled top-level window
  // that is not the shell's.
  void CollectWindows();
  // Hides the listed windows in list order, or shows them in reverse, so
  // that the window that was on top comes back on top.
  void HideListedWindows(bool hideThem);

  bool AllHidden = false;

 private:
  ListBox& hws_;
  Platform& platform_;
  ProgramState& state_;
  RecoveryJournal& journal_;
};

// The shell's own windows (the taskbar with its notification area, the
// desktop): hidden, they would bury every tray icon and with them every way
// back, so the program never hides them on its own.
bool IsShellWindow(WindowSystem& windows, WindowHandle window);

}  // namespace nookshade
