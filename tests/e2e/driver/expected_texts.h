#pragma once
// What a user should see: the panel's fixed captions and the help texts,
// written out here on their own so that the program is checked against the
// intended wording rather than against its own copy of it.

#include <span>

#include "platform/panel_view.h"

namespace e2e {

using nookshade::ControlId;

struct ControlCaption {
  ControlId id;
  const char* name;
  const wchar_t* text;
};

struct HelpItem {
  ControlId id;
  const wchar_t* menuCaption;
  const wchar_t* text;
};

inline constexpr wchar_t kFakeWorkPlaceholder[] = L"[Fake Work Window Not Selected]";
inline constexpr wchar_t kNoPassword[] = L"[No Password Set]";
inline constexpr wchar_t kDuplicateHotkey[] = L"This Hotkey is already in Use";
inline constexpr wchar_t kDuplicateFakeWorkHotkey[] = L"This hotkey is already in Use";
inline constexpr wchar_t kDuplicateTitle[] = L"Hotkey In Use";

std::span<const ControlCaption> PanelCaptions();
std::span<const HelpItem> HelpItems();

}  // namespace e2e
