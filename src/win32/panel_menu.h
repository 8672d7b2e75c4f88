#pragma once
// The panel's menu bar and its keyboard shortcut.

#include "win32/unique_handles.h"

namespace nookshade::win32 {

// "Nookshade Pro" with "Start Nookshade" and the Help submenu. Null when the
// system refuses a menu; the panel then works without one.
UniqueMenu CreatePanelMenu();
// Ctrl+S starts Nookshade, as the menu item says.
UniqueAccelerators CreatePanelAccelerators();

}  // namespace nookshade::win32
