#pragma once
// The on-screen side of the configuration panel. The core keeps every
// control's content (see app/controls.h); a view mirrors it and reports the
// user's input back. Control identifiers double as the Win32 control IDs.

#include <cstdint>

#include "platform/types.h"

namespace nookshade {

enum class ControlId : std::int32_t {
  Frame1 = 1001,
  Label2,
  Frame2,
  Label3,
  Text2,
  Command3,
  Label4,
  Text3,
  Command4,
  Frame3,
  Label1,
  fwhk,
  Command8,
  Label5,
  Label6,
  Label7,
  fw1,
  fw2,
  fw3,
  Picture1,
  Picture2,
  Picture3,
  Command5,
  Command6,
  Command7,
  Label8,
  Check1,
  Frame5,
  PW,
  Check2,
  Check3,
  Check4,
  Command2,
  Text1,
  Command1,
  Shell,
  hws,
  // Menu items.
  mnuStartNookshade = 2001,
  mnub,
  mnuc,
  mnud,
  mnue,
  mnuf,
  mnug,
};

class PanelView {
 public:
  virtual ~PanelView() = default;
  virtual WindowHandle Handle() const = 0;
  // The model changed a control's text, value, selection or tag.
  virtual void ControlChanged(ControlId control) = 0;
  // Keyboard focus to a control, caret after its last character.
  virtual void Focus(ControlId control) = 0;
  // Crosshair drag: the pointer shape and the picture in the pressed box.
  virtual void SetCrosshairPointer(bool on) = 0;
  virtual void ShowCrosshairPicture(ControlId box, bool shown) = 0;
};

}  // namespace nookshade
