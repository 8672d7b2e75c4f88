#include "fakework/fake_work.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/owned_windows.h"
#include "model/settings.h"
#include "model/shell_windows.h"
#include "text/encoding.h"
#include "text/numbers.h"

namespace nookshade {
namespace {

constexpr unsigned kDragTickMs = 50;
constexpr std::string_view kSameWindowMessage = "You Have Already Selected The Same Window";

bool HoldsNoTitle(std::string_view text) {
  return text::IsBlank(text) || text == kFakeWorkPlaceholder;
}

}  // namespace

FakeWork::FakeWork(TextBox& title1, TextBox& title2, TextBox& title3, Platform& platform,
                   PanelView& view, RecoveryJournal& journal)
    : titles_{&title1, &title2, &title3}, platform_(platform), view_(view), journal_(journal) {
  for (std::size_t slot = 0; slot < titles_.size(); ++slot) {
    TextBox* field = titles_[slot];
    field->onChange = [this, slot] { Changed(slot); };
    field->onLostFocus = [this, field] { LeftField(*field); };
    field->onClick = [this, field] { Clicked(*field); };
  }
}

void FakeWork::VerifyWindows() {
  WindowSystem& windows = platform_.windows;
  for (std::size_t slot = 0; slot < titles_.size(); ++slot) {
    TextBox& field = *titles_[slot];
    // An empty title would find any untitled window; it names none.
    if (field.Text().empty()) continue;
    // Another window may carry the title of a picked window that is gone.
    const bool gone = windows_[slot] != 0 && !picked_[slot].StillNames(windows);
    if (gone || windows.FindWindowByTitle(field.Text()) == 0) field.SetText({});
  }
}

void FakeWork::Open(bool show) {
  VerifyWindows();
  // A window the toggle hid that is gone is forgotten: a row may hold its
  // handle for another window since, which must then be hidden and shown
  // as a window of its own.
  std::erase_if(hiddenByToggle_, [this](const auto& hidden) {
    if (hidden.second.window.StillNames(platform_.windows)) return false;
    ForgetRecords(hidden.second);
    return true;
  });
  std::vector<WindowHandle> windows;
  for (const WindowHandle window : windows_) {
    if (window != 0 && !HeldInSlot(window)) windows.push_back(window);
  }
  // The journal holds each window the toggle hid once, from before its hide
  // to after its show; one hidden already, and shown by its program since,
  // takes along the dialogs it opened meanwhile.
  std::vector<WindowHandle> seen;
  std::vector<Toggled> hiding;
  std::vector<WindowIdentity> recorded;
  for (const WindowHandle window : windows) {
    if (show || std::ranges::find(seen, window) != seen.end()) continue;
    seen.push_back(window);
    hiding.push_back(
        {WindowIdentity::Of(platform_.windows, window), VisibleDialogs(platform_, window)});
    const Toggled& next = hiding.back();
    if (!hiddenByToggle_.contains(window)) recorded.push_back(next.window);
    recorded.insert(recorded.end(), next.dialogs.rbegin(), next.dialogs.rend());
  }
  if (!show && !journal_.Record(recorded, HiddenBy::FakeWork)) {
    platform_.dialogs.MessageBox(kJournalFailedMessage, kAppTitle, message_style::kIconExclamation);
    return;
  }
  for (const WindowHandle window : windows) {
    ShowCommand command = ShowCommand::Hide;
    const auto hidden = hiddenByToggle_.find(window);
    if (show && hidden != hiddenByToggle_.end()) {
      ShowToggled(hidden->second);
      hiddenByToggle_.erase(hidden);
      command = ShowCommand::Show;
    } else {
      // Of the windows in sight only the last is activated: under Wine the
      // activations of several programs' windows in turn may land out of
      // order, and the keyboard with them.
      if (show) {
        command = window == windows.back() || !platform_.windows.IsWindowVisible(window)
                      ? ShowCommand::Show
                      : ShowCommand::ShowNoActivate;
      }
      platform_.windows.ShowWindow(window, command);
    }
    // The dialogs hide-all hid with it come back with it, above it: left
    // hidden, a modal question would leave it shown but dead. They stay in
    // hide-all's set, whose show-all finds them in sight. The toggle may
    // have hidden it after hide-all, without them.
    if (show && dialogsHiddenByHideAll) {
      const std::vector<WindowIdentity> dialogs = dialogsHiddenByHideAll(window);
      for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog) {
        if (dialog->StillNames(platform_.windows) && !HeldInSlot(dialog->window)) {
          platform_.windows.ShowWindow(dialog->window, command);
        }
      }
    }
  }
  for (Toggled& next : hiding) {
    for (const WindowIdentity& dialog : next.dialogs) {
      platform_.windows.ShowWindow(dialog.window, ShowCommand::Hide);
    }
    const auto [entry, added] = hiddenByToggle_.try_emplace(next.window.window, std::move(next));
    if (!added) {
      entry->second.dialogs.insert(entry->second.dialogs.begin(), next.dialogs.begin(),
                                   next.dialogs.end());
    }
  }
}

void FakeWork::ForgetRecords(const Toggled& toggled) {
  journal_.Forget(Handles(BottomUp(toggled.window, toggled.dialogs)), HiddenBy::FakeWork);
}

void FakeWork::ShowToggled(const Toggled& toggled) {
  std::vector<WindowIdentity> shown = BottomUp(toggled.window, toggled.dialogs);
  // A dialog hidden into a slot since is the slot's to show, behind the password.
  std::erase_if(shown, [this, window = toggled.window.window](const WindowIdentity& w) {
    return w.window != window && HeldInSlot(w.window);
  });
  ShowAgain(platform_.windows, shown, 0);
  ForgetRecords(toggled);
}

std::vector<WindowIdentity> FakeWork::HiddenDialogs(WindowHandle window) {
  std::vector<WindowIdentity> dialogs;
  const auto hidden = hiddenByToggle_.find(window);
  if (hidden == hiddenByToggle_.end()) return dialogs;
  for (const WindowIdentity& dialog : hidden->second.dialogs) {
    if (dialog.StillNames(platform_.windows) && !platform_.windows.IsWindowVisible(dialog.window) &&
        !HeldInSlot(dialog.window)) {
      dialogs.push_back(dialog);
    }
  }
  return dialogs;
}

void FakeWork::GiveUpDialogs(WindowHandle window, const std::vector<WindowIdentity>& dialogs) {
  const auto hidden = hiddenByToggle_.find(window);
  if (hidden == hiddenByToggle_.end()) return;
  std::erase_if(hidden->second.dialogs, [&dialogs](const WindowIdentity& d) {
    return std::ranges::find(dialogs, d.window, &WindowIdentity::window) != dialogs.end();
  });
  journal_.Forget(Handles(dialogs), HiddenBy::FakeWork);
}

void FakeWork::ShownAgainByShowAll(WindowHandle window) {
  const auto hidden = hiddenByToggle_.find(window);
  if (hidden == hiddenByToggle_.end()) return;
  // Its records go: the next start must not bare what its program hides since.
  ForgetRecords(hidden->second);
  hiddenByToggle_.erase(hidden);
}

void FakeWork::Reset(ControlId id) {
  const int slot = SlotOf(id);
  if (slot < 0) return;
  TextBox& field = *titles_[static_cast<std::size_t>(slot)];
  field.SetText({});
  LeftField(field);
}

void FakeWork::ShowPlaceholders() {
  for (TextBox* field : titles_) LeftField(*field);
}

void FakeWork::Changed(std::size_t slot) {
  TextBox& field = *titles_[slot];
  if (HoldsNoTitle(field.Text())) {
    SetWindow(slot, 0);
    if (!makingRoom_) LeftField(field);
  }
  if (HoldsNoTitle(field.Text())) return;
  // A title typed or pasted by hand names the window the row acts on; the
  // row would otherwise show one window and act on another. The crosshair
  // writes its window's own title, which keeps the window it picked among
  // others of the same title.
  WindowSystem& windows = platform_.windows;
  if (windows_[slot] == 0 ||
      !text::EqualIgnoringAsciiCase(windows.GetWindowTitle(windows_[slot]), field.Text())) {
    const WindowHandle named = windows.FindWindowByTitle(field.Text());
    SetWindow(slot, Pickable(named) ? named : 0);
    if (windows_[slot] == 0) {
      field.SetText({});
      return;
    }
  }
  VerifyWindows();
}

void FakeWork::SetWindow(std::size_t slot, WindowHandle window) {
  const WindowHandle released = std::exchange(windows_[slot], window);
  picked_[slot] = WindowIdentity::Of(platform_.windows, window);
  if (released == window || released == 0) return;
  const auto hidden = hiddenByToggle_.find(released);
  if (hidden == hiddenByToggle_.end()) return;
  if (std::find(windows_.begin(), windows_.end(), released) != windows_.end()) return;
  const std::vector<WindowIdentity> dialogs = HiddenDialogs(released);
  const Toggled toggled = std::move(hidden->second);
  hiddenByToggle_.erase(hidden);
  // A slot that took the window since shows it behind the password, and
  // hide-all with the rest of its set, not here: shown alone, it would stand
  // in sight while everything else stays hidden.
  if (HeldInSlot(released) || (takenByHideAll && takenByHideAll(toggled.window, dialogs))) {
    ForgetRecords(toggled);
  } else {
    ShowToggled(toggled);
  }
}

void FakeWork::CrosshairPressed(ControlId box) {
  const int index = BoxIndex(box);
  if (index < 0) return;
  pickSlot_ = index + 1;
  view_.SetCrosshairPointer(true);
  view_.ShowCrosshairPicture(box, false);
  platform_.timers.StartTimer(TimerId::PickerDrag, kDragTickMs, [this] { DragTick(); });
}

void FakeWork::DragTick() {
  WindowSystem& windows = platform_.windows;
  // The window under the pointer may be a child (a button, a pane); only
  // a title that names a top-level window survives the existence check.
  WindowHandle window = windows.WindowFromPoint(windows.GetCursorPos());
  if (!Pickable(window)) window = 0;
  if (pickSlot_ < 1 || pickSlot_ > static_cast<int>(titles_.size())) return;
  const auto slot = static_cast<std::size_t>(pickSlot_ - 1);
  // The window first: the title's change rule then has the last word on it.
  // The title is kept whole: cut of its leading blanks, it would name no
  // window, and the row would let go of the window just picked. A title of
  // blanks alone names none either way, and the row shows its placeholder.
  SetWindow(slot, window);
  std::string title = windows.GetWindowTitle(window);
  if (text::IsBlank(title)) title.clear();
  titles_[slot]->SetText(std::move(title));
}

void FakeWork::CrosshairReleased(ControlId box) {
  const int index = BoxIndex(box);
  if (index < 0) return;
  view_.ShowCrosshairPicture(box, true);
  view_.SetCrosshairPointer(false);
  platform_.timers.StopTimer(TimerId::PickerDrag);
  // Each box compares its slot with the others in a fixed order; only a
  // duplicate of the first other slot is taken back.
  static constexpr std::array<std::array<std::size_t, 2>, 3> kOthers = {{{1, 2}, {0, 2}, {0, 1}}};
  const auto own = static_cast<std::size_t>(index);
  const WindowHandle window = windows_[own];
  const WindowHandle first = windows_[kOthers[own][0]];
  const WindowHandle second = windows_[kOthers[own][1]];
  if (window == 0 || first == 0) return;
  if (window == first) {
    platform_.dialogs.MessageBox(kSameWindowMessage, kAppName, message_style::kIconInformation);
    titles_[own]->SetText({});
    return;
  }
  if (second != 0 && window == second) {
    platform_.dialogs.MessageBox(kSameWindowMessage, kAppName, message_style::kIconInformation);
  }
}

void FakeWork::LeftField(TextBox& field) {
  if (field.Text().empty()) field.SetText(std::string(kFakeWorkPlaceholder));
}

void FakeWork::Clicked(TextBox& field) {
  // Room for a title pasted by hand: put back at once, the placeholder would
  // take the paste into its own text, which names no window.
  if (field.Text() != kFakeWorkPlaceholder) return;
  makingRoom_ = true;
  field.SetText({});
  makingRoom_ = false;
}

bool FakeWork::HeldInSlot(WindowHandle window) const { return heldInSlot && heldInSlot(window); }

bool FakeWork::Pickable(WindowHandle window) {
  return window != 0 &&
         platform_.windows.GetWindowProcessId(window) != platform_.system.CurrentProcessId() &&
         !IsShellWindow(platform_.windows, window);
}

int FakeWork::BoxIndex(ControlId box) const {
  const int index = static_cast<int>(box) - static_cast<int>(ControlId::crosshair1);
  return index >= 0 && index < static_cast<int>(titles_.size()) ? index : -1;
}

int FakeWork::SlotOf(ControlId id) const {
  for (std::size_t slot = 0; slot < titles_.size(); ++slot) {
    if (titles_[slot]->Id() == id) return static_cast<int>(slot);
  }
  return -1;
}

}  // namespace nookshade
