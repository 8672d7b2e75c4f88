#include "hotkeys/capture_fields.h"

#include <utility>

#include "hotkeys/hotkey_text.h"
#include "platform/dialogs.h"
#include "text/encoding.h"
#include "text/numbers.h"

namespace nookshade {

HotkeyFields::HotkeyFields(TextBox& hideWindow, TextBox& hideAll, TextBox& fakeWork,
                           Platform& platform)
    : platform_(platform),
      fields_{{
          {hideWindow, setting::kHideWindowHotkey, hotkey::kDefaultHideWindow,
           "This Hotkey is already in Use"},
          {hideAll, setting::kHideAllHotkey, hotkey::kDefaultHideAll,
           "This Hotkey is already in Use"},
          {fakeWork, setting::kFakeWorkHotkey, hotkey::kDefaultFakeWork,
           "This hotkey is already in Use"},
      }} {
  for (Field& field : fields_) {
    field.box.onChange = [this, &field] { Changed(field); };
    field.box.onKeyDown = [this, &field](int key) { KeyDown(field, key); };
    field.box.onLostFocus = [this, &field] {
      if (heldField_ == &field) TakeBackHeldModifiers();
    };
  }
}

void HotkeyFields::Load() {
  for (Field& field : fields_) {
    // Stored as Unicode text; the field holds Windows-1252 key characters.
    field.box.SetText(hotkey::MergeHeldModifiers(
        text::Utf8ToWindows1252(GetSetting(platform_.registry, kAppName, field.setting.section,
                                           field.setting.key, field.defaultText))));
  }
}

void HotkeyFields::Reset(ControlId id) {
  if (Field* field = Find(id)) field->box.SetText({});
  heldField_ = nullptr;
}

void HotkeyFields::Changed(Field& field) {
  TextBox& box = field.box;
  // A nested change below parses its own, newer text after this.
  const auto index = static_cast<std::size_t>(&field - fields_.data());
  // An empty field means "no hotkey", never "any key".
  keyStrings_[index] = text::IsBlank(box.Text()) ? std::string() : hotkey::KeyString(box.Text());
  box.SetSelection(box.Text().size(), 0);
  if (std::string written = hotkey::WriteTokens(box.Text()); written != box.Text()) {
    // The nested change normalises, checks and stores the new text in full;
    // going on here would only check the same text a second time and repeat
    // its message.
    box.SetText(std::move(written));
    return;
  }
  if (DuplicatesAnother(field)) {
    platform_.dialogs.MessageBox(field.duplicateMessage, kHotkeyInUseTitle,
                                 message_style::kIconExclamation);
    box.SetText({});
    return;
  }
  if (!SaveSetting(platform_.registry, kAppName, field.setting.section, field.setting.key,
                   text::Windows1252ToUtf8(box.Text()))) {
    platform_.system.Log("A hotkey could not be stored; it holds until Nookshade ends.");
  }
}

void HotkeyFields::KeyUp(ControlId id, int virtualKey) {
  if (hotkey::IsModifier(virtualKey) && heldField_ != nullptr && heldField_->box.Id() == id) {
    heldField_ = nullptr;
  }
}

void HotkeyFields::TakeBackHeldModifiers() {
  if (heldField_ == nullptr) return;
  std::exchange(heldField_, nullptr)->box.SetText(textBeforeHeld_);
}

void HotkeyFields::KeyDown(Field& field, int virtualKey) {
  TextBox& box = field.box;
  if (virtualKey < 1 || virtualKey > 255) return;  // not a key of the keyboard model
  // A held key repeats its key-down: the text before the first modifier is
  // what a shortcut gives back.
  if (!hotkey::IsModifier(virtualKey)) {
    heldField_ = nullptr;
  } else if (heldField_ != &field) {
    heldField_ = &field;
    textBeforeHeld_ = box.Text();
  }
  if (virtualKey != hotkey::kBackspace) {
    box.SetText(box.Text() + hotkey::KeyPressText(virtualKey));
  } else if (box.SelLength() > 0) {
    box.SetText(hotkey::DeleteSelection(box.Text(), box.SelStart(), box.SelLength()));
  } else {
    box.SetText(hotkey::RemoveLastKey(box.Text()));
  }
}

bool HotkeyFields::DuplicatesAnother(const Field& field) const {
  // An empty field holds no hotkey, so two of them cannot clash; calling them
  // a clash would leave the stored hotkey in place of the emptied one.
  if (field.box.Text().empty()) return false;
  for (const Field& other : fields_) {
    if (&other != &field && other.box.Text() == field.box.Text()) return true;
  }
  return false;
}

HotkeyFields::Field* HotkeyFields::Find(ControlId id) {
  for (Field& field : fields_) {
    if (field.box.Id() == id) return &field;
  }
  return nullptr;
}

}  // namespace nookshade
