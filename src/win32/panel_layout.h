#pragma once
// Every control of the configuration panel: kind, caption and place. Places
// are in twips (1440 per inch), relative to the enclosing frame, as the
// panel was first drawn; they become pixels for the DPI of the monitor the
// panel is on, and again whenever that changes.

#include <span>

#include "platform/panel_view.h"
#include "win32/win32_api.h"

namespace nookshade::win32 {

enum class ControlKind {
  Frame,
  Label,
  TextBox,
  HotkeyField,  // read-only; filled by key presses only
  CheckBox,
  Button,
  StartButton,  // the big bold button of the panel
  Crosshair,
  ListBox,
};

struct PanelControl {
  ControlId id;
  ControlKind kind;
  const wchar_t* caption;
  // The frame the place is relative to; the client area when it is kNoFrame.
  ControlId frame;
  int left;
  int top;
  int width;
  int height;
  bool visible = true;
};

inline constexpr ControlId kNoFrame{0};

// In creation order, which is also the Tab order. Frames come last: they
// are then lowest in the Z-order and never paint over what they enclose.
std::span<const PanelControl> PanelControls();
const PanelControl* FindPanelControl(ControlId id);

// The client area the controls need, in twips.
SIZE PanelClientTwips();

int TwipsToPixels(int twips, int dpi);
// The control's place in the panel's client area, in pixels.
RECT ControlRect(const PanelControl& entry, int dpi);

}  // namespace nookshade::win32
