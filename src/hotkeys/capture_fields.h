#pragma once
// The three fields in which the user records a hotkey by pressing its keys.
// They never take typed characters; every accepted change is stored at once,
// and no two fields may hold the same text.

#include <array>
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
};

inline constexpr std::string_view kHotkeyInUseTitle = "Hotkey In Use";

}  // namespace nookshade
