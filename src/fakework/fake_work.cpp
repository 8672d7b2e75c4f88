#include "fakework/fake_work.h"

#include "text/numbers.h"

namespace nookshade {
namespace {

bool HoldsNoTitle(std::string_view text) {
  return text::IsBlank(text) || text == kFakeWorkPlaceholder;
}

}  // namespace

FakeWork::FakeWork(TextBox& fw1, TextBox& fw2, TextBox& fw3, Platform& platform)
    : fields_{&fw1, &fw2, &fw3}, platform_(platform) {
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
  for (TextBox* field : fields_) {
    if (const auto handle = text::ParseInt32(field->Tag())) {
      platform_.windows.ShowWindow(*handle, show ? ShowCommand::Show : ShowCommand::Hide);
      if (show) {
        hiddenByToggle_.erase(*handle);
      } else {
        hiddenByToggle_.insert(*handle);
      }
    }
  }
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
    const std::string released = field.Tag();
    field.SetTag({});
    LetGo(released);
    LeftField(field);
  }
  if (!HoldsNoTitle(field.Text())) VerifyFakeWorkWindows();
}

void FakeWork::LetGo(const std::string& tag) {
  const auto handle = text::ParseInt32(tag);
  if (!handle || !hiddenByToggle_.contains(*handle)) return;
  for (const TextBox* field : fields_) {
    if (text::ParseInt32(field->Tag()) == handle) return;
  }
  hiddenByToggle_.erase(*handle);
  platform_.windows.ShowWindow(*handle, ShowCommand::Show);
}

void FakeWork::LeftField(TextBox& field) {
  if (field.Text().empty()) field.SetText(std::string(kFakeWorkPlaceholder));
}

void FakeWork::Clicked(TextBox& field) {
  if (field.Text() == kFakeWorkPlaceholder) field.SetText({});
}

TextBox* FakeWork::Find(ControlId id) {
  for (TextBox* field : fields_) {
    if (field->Id() == id) return field;
  }
  return nullptr;
}

}  // namespace nookshade
