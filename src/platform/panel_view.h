#pragma once
// The on-screen side of the configuration panel. The core keeps every
// control's content (see app/controls.h); a view mirrors it and reports the
// user's input back. Control identifiers double as the Win32 control IDs.

#include <cstdint>

#include "platform/types.h"

namespace nookshade {

enum class ControlId : std::int32_t {
  Frame1 = 1001,  // frame around the panel's description
  Label2,         // the panel's description
  Frame2,         // frame of the two hiding hotkeys
  Label3,         // label of Text2
  Text2,          // the hide-a-window hotkey, stored as "HKn"
  Command3,       // Reset: empties Text2
  Label4,         // label of Text3
  Text3,          // the hide/show-all hotkey, stored as "HKa"
  Command4,       // Reset: empties Text3
  Frame3,         // frame of the fake-work rows and Check1
  Label1,         // label of fwhk
  fwhk,           // the fake-work hotkey, stored as "HKfw"
  Command8,       // Reset: empties fwhk
  Label5,         // label of fw1
  Label6,         // label of fw2
  Label7,         // label of fw3
  fw1,            // title of fake-work window 1; its tag holds the handle
  fw2,            // title of fake-work window 2
  fw3,            // title of fake-work window 3
  Picture1,       // crosshair box that picks fw1's window
  Picture2,       // crosshair box that picks fw2's window
  Picture3,       // crosshair box that picks fw3's window
  Command5,       // Reset: empties fw1
  Command6,       // Reset: empties fw2
  Command7,       // Reset: empties fw3
  Label8,         // how to use the crosshair
  Check1,         // option: fake work shown with hide-all, stored as "LFW"
  Frame5,         // frame of PW
  PW,             // the unlock password, in plain view, stored as "Password"
  Check2,         // option: go to the tray at start, stored as "Auto"
  Check3,         // option: start at login, stored as "Login"
  Check4,         // option: no notification when arming, stored as "Note"
  Command2,       // Start Nookshade: arms by hiding the panel into the tray
  Text1,          // hidden: the window the hide-a-window action hides, in hexadecimal
  Command1,       // hidden: its click is the hide-a-window action
  hws,            // hidden: the windows of the last hide-all, top of the Z-order first
  // Menu items.
  mnuStartNookshade = 2001,  // Start Nookshade, Ctrl+S: the same as Command2
  mnub,                      // Help: what the program is for
  mnuc,                      // Help: setting hotkeys
  mnud,                      // Help: the password
  mnue,                      // Help: fake work
  mnuf,                      // Help: starting
  mnug,                      // Help: the options
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
