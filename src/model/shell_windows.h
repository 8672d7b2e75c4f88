#pragma once
// The shell's own windows: the program never hides one of them on its own.

#include "platform/window_system.h"

namespace nookshade {

// The taskbars and notification areas: hidden, they would bury every tray
// icon and with them every way back.
bool IsTrayWindow(WindowSystem& windows, WindowHandle window);
// Those and the desktop.
bool IsShellWindow(WindowSystem& windows, WindowHandle window);

}  // namespace nookshade
