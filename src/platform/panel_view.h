#pragma once
// The on-screen side of the configuration panel. The core keeps every
// control's content (see model/controls.h); a view mirrors it and reports the
// user's input back. Control identifiers double as the Win32 control IDs.

#include <cstdint>

#include "platform/types.h"

namespace nookshade {

enum class ControlId : std::int32_t {
  descriptionFrame = 1001,  // Frame1
  description,              // Label2
  hidingHotkeysFrame,       // Frame2
  hideWindowHotkeyLabel,    // Label3
  hideWindowHotkey,         // Text2: stored as "HKn"
  resetHideWindowHotkey,    // Command3
  hideAllHotkeyLabel,       // Label4
  hideAllHotkey,            // Text3: stored as "HKa"
  resetHideAllHotkey,       // Command4
  fakeWorkFrame,            // Frame3: the fake-work rows and showFakeWorkWithHideAll
  fakeWorkHotkeyLabel,      // Label1
  fakeWorkHotkey,           // fwhk: stored as "HKfw"
  resetFakeWorkHotkey,      // Command8
  fakeWork1Label,           // Label5
  fakeWork2Label,           // Label6
  fakeWork3Label,           // Label7
  fakeWork1,                // fw1: the title of fake-work window 1
  fakeWork2,                // fw2
  fakeWork3,                // fw3
  crosshair1,               // Picture1: drag it onto a window to pick fake-work window 1
  crosshair2,               // Picture2
  crosshair3,               // Picture3
  resetFakeWork1,           // Command5
  resetFakeWork2,           // Command6
  resetFakeWork3,           // Command7
  crosshairHint,            // Label8
  showFakeWorkWithHideAll,  // Check1: stored as "LFW"
  passwordFrame,            // Frame5
  password,                 // PW: the unlock password, in plain view, stored as "Password"
  autoStart,                // Check2: go to the tray at start, stored as "Auto"
  loginStart,               // Check3: start at login, stored as "Login"
  noNotification,           // Check4: no notification when arming, stored as "Note"
  startButton,              // Command2: arms by hiding the panel into the tray
  // Menu items.
  menuStart = 2001,  // mnuStartNookshade: Ctrl+S, the same as startButton
  menuHelpAbout,     // mnub: what the program is for
  menuHelpHotkeys,   // mnuc
  menuHelpPassword,  // mnud
  menuHelpFakeWork,  // mnue
  menuHelpStarting,  // mnuf
  menuHelpOptions,   // mnug
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
