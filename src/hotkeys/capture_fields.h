#pragma once
// The three fields in which the user records a hotkey by pressing its keys.
// They never take typed characters; every accepted change is stored at once,
// and no two fields may hold the same text.

#include <array>
#include <string>
#include <string_view>

#include "model/controls.h"
#include "model/settings.h"
#include "platform/platform.h"

namespace nookshade {

class HotkeyFields {
 public:
  HotkeyFields(TextBox& hideWindow, TextBox& hideAll, TextBox& fakeWork, Platform& platform);
  HotkeyFields(const HotkeyFields&) = delete;
  HotkeyFields& operator=(const HotkeyFields&) = delete;

  // Fills the fields from the store, in their fixed order.
  void Load();
  // The Reset button beside a field.
  void Reset(ControlId field);
  // A key went up in a field.
  void KeyUp(ControlId field, int virtualKey);
  // A shortcut of the panel or the system was pressed (Ctrl+S, which arms;
  // Alt+F4; Alt+Tab, Shift+Tab or Windows+Tab, which take the focus away):
  // the modifiers still held for it went into the field that had the focus
  // as keys of the hotkey ("(Ctrl)h" would become "(Ctrl)h(Ctrl)", a hotkey
  // that fires on every second press only), and are taken back.
  void TakeBackHeldModifiers();
  // What the poller looks for, in the fields' order, parsed when a field
  // changes: "" for a field that holds no hotkey.
  const std::array<std::string, 3>& KeyStrings() const { return keyStrings_; }

 private:
  struct Field {
    TextBox& box;
    SettingKey setting;
    std::string_view defaultText;
    std::string_view duplicateMessage;
  };

  void Changed(Field& field);
  void KeyDown(Field& field, int virtualKey);
  bool DuplicatesAnother(const Field& field) const;
  Field* Find(ControlId id);

  Platform& platform_;
  std::array<Field, 3> fields_;
  std::array<std::string, 3> keyStrings_;
  // The field in which modifiers are held down, none let go and no other key
  // pressed since, and its text before the first of them.
  Field* heldField_ = nullptr;
  std::string textBeforeHeld_;
};

inline constexpr std::string_view kHotkeyInUseTitle = "Hotkey In Use";

}  // namespace nookshade
