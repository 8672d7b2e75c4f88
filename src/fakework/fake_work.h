#pragma once
// The three fake-work slots: a field with the chosen window's title and the
// window itself. The title is how a slot finds out whether its window still
// exists; the window is what is shown and hidden. The crosshair picker fills
// them: pressed on a row's box and dragged, it follows the window under the
// pointer until the release.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/controls.h"
#include "model/recovery_journal.h"
#include "model/window_identity.h"
#include "platform/panel_view.h"
#include "platform/platform.h"

namespace nookshade {

inline constexpr std::string_view kFakeWorkPlaceholder = "[Fake Work Window Not Selected]";

class FakeWork {
 public:
  FakeWork(TextBox& title1, TextBox& title2, TextBox& title3, Platform& platform, PanelView& view,
           RecoveryJournal& journal);
  FakeWork(const FakeWork&) = delete;
  FakeWork& operator=(const FakeWork&) = delete;

  // Empties every slot whose title no top-level window carries any more,
  // or whose picked window is gone.
  void VerifyWindows();  // VerifyFakeWorkWindows
  // Shows (or hides) the window of every selected slot.
  void Open(bool show);  // OpenFakeWork
  // The Reset button of a slot's row.
  void Reset(ControlId field);
  // What the panel's load does to each field: puts the placeholder in.
  void ShowPlaceholders();

  // The crosshair boxes: any mouse button starts a drag on press and ends it
  // on release, wherever the pointer is then.
  void CrosshairPressed(ControlId box);
  void CrosshairReleased(ControlId box);
  // The drag timer's tick: the slot takes the window under the pointer.
  void DragTick();  // Timer1_Timer

  // Whether a hidden-window slot holds the window: then it is the slot's to
  // show, behind the password, and the toggle leaves it alone.
  std::function<bool(WindowHandle)> heldInSlot;
  // Hide-all's set takes a window it holds, let go of by its row, with the
  // dialogs the toggle hid along; false when it holds it not, or cannot
  // record them.
  std::function<bool(const WindowIdentity&, const std::vector<WindowIdentity>& dialogs)>
      takenByHideAll;
  // The dialogs of a window that hide-all hid with it, top first.
  std::function<std::vector<WindowIdentity>(WindowHandle)> dialogsHiddenByHideAll;
  // The dialogs the toggle hid with the window that are hidden still, given
  // up to whoever takes them (a slot that holds the window now).
  std::vector<WindowIdentity> HiddenDialogs(WindowHandle window);
  void GiveUpDialogs(WindowHandle window, const std::vector<WindowIdentity>& dialogs);
  // Shown again by show-all with those dialogs: the toggle holds it no more.
  void ShownAgainByShowAll(WindowHandle window);
  // Whether a row holds the window.
  bool Holds(WindowHandle window) const {
    return window != 0 && std::ranges::find(windows_, window) != windows_.end();
  }

 private:
  void Changed(std::size_t slot);
  // Every change of a slot's window goes through here: a window the slot
  // lets go of (Reset, typing over it, picking another) is shown again if
  // the toggle hid it and nothing else holds it (another row, a hiding
  // slot, hide-all's set), since nothing else would ever show it.
  void SetWindow(std::size_t slot, WindowHandle window);
  void LeftField(TextBox& field);
  void Clicked(TextBox& field);
  int SlotOf(ControlId field) const;
  bool HeldInSlot(WindowHandle window) const;
  // Neither ours (the panel shown by the hotkey would bare the password and
  // rest the hotkeys) nor the shell's (hidden by the toggle, the
  // notification area would take every way back with it).
  bool Pickable(WindowHandle window);
  int BoxIndex(ControlId box) const;

  std::array<TextBox*, 3> titles_;            // fw1, fw2, fw3
  std::array<WindowHandle, 3> windows_ = {};  // their Tag
  // Each slot's window as it was picked: the handle alone may name another
  // program's window once the picked one is gone.
  std::array<WindowIdentity, 3> picked_;
  Platform& platform_;
  PanelView& view_;
  RecoveryJournal& journal_;
  // The slot (1 to 3) the current or last drag fills; 0 before any.
  int pickSlot_ = 0;  // PickSlot
  // A click is taking the placeholder away: the field stays empty until left.
  bool makingRoom_ = false;
  // The windows the toggle hid, as they were then, each with the dialogs it
  // had in sight (top first): left there, they would stand over nothing.
  struct Toggled {
    WindowIdentity window;
    std::vector<WindowIdentity> dialogs;
  };
  std::map<WindowHandle, Toggled> hiddenByToggle_;
  // Shows a window the toggle hid again, with its dialogs, and forgets it.
  void ShowToggled(const Toggled& toggled);
  void ForgetRecords(const Toggled& toggled);
};

}  // namespace nookshade
