#include "fakework/fake_work.h"

#include <algorithm>
#include <vector>

#include "model/settings.h"
#include "text/numbers.h"

namespace nookshade {
namespace {

constexpr unsigned kDragTickMs = 50;
constexpr std::string_view kSameWindowMessage = "You Have Already Selected The Same Window";

bool HoldsNoTitle(std::string_view text) {
  return text::IsBlank(text) || text == kFakeWorkPlaceholder;
}

}  // namespace

FakeWork::FakeWork(TextBox& fw1, TextBox& fw2, TextBox& fw3, Platform& platform, PanelView& view,
                   RecoveryJournal& journal)
    : fields_{&fw1, &fw2, &fw3}, platform_(platform), view_(view), journal_(journal) {
  for (TextBox* field : fields_) {
    field->onChange = [this, field] { Changed(*field); };
    field->onLostFocus = [this, field] { LeftField(*field); };
    field->onClick = [this, field] { Clicked(*field); };
  }
}

void FakeWork::VerifyFakeWorkWindows() {
  for (TextBox* field : fields_) {
    // An empty title would find any untitled window; it names none.
    if (field->Text().empty()) continue;
    if (platform_.windows.FindWindowByTitle(field->Text()) == 0) field->SetText({});
  }
}

void FakeWork::OpenFakeWork(bool show) {
  VerifyFakeWorkWindows();
  std::vector<WindowHandle> windows;
  for (const TextBox* field : fields_) {
    if (const auto handle = text::ParseInt32(field->Tag())) windows.push_back(*handle);
  }
  // The journal holds each window the toggle hid once, from before its hide
  // to after its show.
  std::vector<WindowHandle> changed;
  for (const WindowHandle window : windows) {
    if (hiddenByToggle_.contains(window) == show &&
        std::find(changed.begin(), changed.end(), window) == changed.end()) {
      changed.push_back(window);
    }
  }
  if (!show) journal_.Record(changed, HiddenBy::FakeWork);
  for (const WindowHandle window : windows) {
    const auto hidden = hiddenByToggle_.find(window);
    if (show && hidden != hiddenByToggle_.end() && !hidden->second.StillNames(platform_.windows)) {
      continue;
    }
    platform_.windows.ShowWindow(window, show ? ShowCommand::Show : ShowCommand::Hide);
  }
  for (const WindowHandle window : changed) {
    if (show) {
      hiddenByToggle_.erase(window);
    } else {
      hiddenByToggle_.emplace(window, WindowIdentity::Of(platform_.windows, window));
    }
  }
  if (show) journal_.Forget(changed, HiddenBy::FakeWork);
}

void FakeWork::Reset(ControlId id) {
  if (TextBox* field = Find(id)) {
    field->SetText({});
    LeftField(*field);
  }
}

void FakeWork::ShowPlaceholders() {
  for (TextBox* field : fields_) LeftField(*field);
}

void FakeWork::Changed(TextBox& field) {
  if (HoldsNoTitle(field.Text())) {
    SetWindow(field, {});
    LeftField(field);
  }
  if (!HoldsNoTitle(field.Text())) VerifyFakeWorkWindows();
}

void FakeWork::SetWindow(TextBox& field, std::string tag) {
  if (field.Tag() == tag) return;
  const auto released = text::ParseInt32(field.Tag());
  field.SetTag(std::move(tag));
  if (!released || !hiddenByToggle_.contains(*released)) return;
  for (const TextBox* other : fields_) {
    if (text::ParseInt32(other->Tag()) == released) return;
  }
  const auto hidden = hiddenByToggle_.find(*released);
  if (hidden->second.StillNames(platform_.windows)) {
    platform_.windows.ShowWindow(*released, ShowCommand::Show);
  }
  hiddenByToggle_.erase(hidden);
  journal_.Forget(*released, HiddenBy::FakeWork);
}

void FakeWork::CrosshairPressed(ControlId box) {
  const int index = BoxIndex(box);
  if (index < 0) return;
  PickSlot = static_cast<std::int16_t>(index + 1);
  view_.SetCrosshairPointer(true);
  view_.ShowCrosshairPicture(box, false);
  platform_.timers.StartTimer(TimerId::PickerDrag, kDragTickMs, [this] { Timer1_Timer(); });
}

void FakeWork::Timer1_Timer() {
  WindowSystem& windows = platform_.windows;
  // The window under the pointer may be a child (a button, a pane); only
  // a title that names a top-level window survives the existence check.
  const WindowHandle window = windows.WindowFromPoint(windows.GetCursorPos());
  std::string title = windows.GetWindowTitle(window);
  if (PickSlot < 1 || PickSlot > static_cast<int>(fields_.size())) return;
  TextBox& field = *fields_[static_cast<std::size_t>(PickSlot - 1)];
  // The handle first: the title's change rule then has the last word on it.
  SetWindow(field, std::to_string(window));
  title.erase(0, std::min(title.find_first_not_of(' '), title.size()));
  field.SetText(title);
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
  TextBox& own = *fields_[static_cast<std::size_t>(index)];
  const TextBox& first = *fields_[kOthers[index][0]];
  const TextBox& second = *fields_[kOthers[index][1]];
  const auto value = [](const TextBox& field) { return text::ParseInt32(field.Tag()).value_or(0); };
  if (value(own) == 0 || value(first) == 0) return;
  if (own.Tag() == first.Tag()) {
    platform_.dialogs.MessageBox(kSameWindowMessage, kAppName, message_style::kIconInformation);
    own.SetText({});
    return;
  }
  if (value(second) != 0 && own.Tag() == second.Tag()) {
    platform_.dialogs.MessageBox(kSameWindowMessage, kAppName, message_style::kIconInformation);
  }
}

void FakeWork::LeftField(TextBox& field) {
  if (field.Text().empty()) field.SetText(std::string(kFakeWorkPlaceholder));
}

void FakeWork::Clicked(TextBox& field) {
  if (field.Text() == kFakeWorkPlaceholder) field.SetText({});
}

int FakeWork::BoxIndex(ControlId box) const {
  const int index = static_cast<int>(box) - static_cast<int>(ControlId::Picture1);
  return index >= 0 && index < static_cast<int>(fields_.size()) ? index : -1;
}

TextBox* FakeWork::Find(ControlId id) {
  for (TextBox* field : fields_) {
    if (field->Id() == id) return field;
  }
  return nullptr;
}

}  // namespace nookshade
