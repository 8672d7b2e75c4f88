#pragma once
// Replacement window procedures that call a std::function. Windows can only
// store a plain function pointer, so one static procedure looks the
// window's handler up by its handle.

#include "platform/win32/win32_api.h"
#include "platform/window_system.h"

namespace nookshade::win32 {

// Returns the previous procedure, or 0 when the window is not one of this
// process's windows (its procedure cannot be replaced from here).
WindowProcToken InstallWindowProcThunk(HWND window, MessageHandler handler);
// Puts previous back and forgets the handler.
void RemoveWindowProcThunk(HWND window, WindowProcToken previous);

}  // namespace nookshade::win32
