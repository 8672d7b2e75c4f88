#include "model/shell_windows.h"

#include <array>
#include <string>

#include "text/encoding.h"

namespace nookshade {
namespace {

// Window classes the shell documents for its taskbars and the notification
// area's overflow; Wine's own notification area, shown when no other tray
// runs, holds the icons there, and Wine docks each icon into a desktop's
// tray as a window of its own (which may even be given the keyboard). They
// are the way back to every hidden window.
constexpr std::array<std::string_view, 5> kTrayClasses = {
    "Shell_TrayWnd", "Shell_SecondaryTrayWnd", "NotifyIconOverflowWindow",
    "__winex11_standalone_tray", "__winex11_tray_icon"};
// The desktop's own windows.
constexpr std::array<std::string_view, 2> kDesktopClasses = {"Progman", "WorkerW"};

template <std::size_t N>
bool OfClass(WindowSystem& windows, WindowHandle window,
             const std::array<std::string_view, N>& classes) {
  const std::string className = windows.GetClassName(window);
  for (const std::string_view shellClass : classes) {
    if (text::EqualIgnoringAsciiCase(className, shellClass)) return true;
  }
  return false;
}

}  // namespace

bool IsTrayWindow(WindowSystem& windows, WindowHandle window) {
  return OfClass(windows, window, kTrayClasses);
}

bool IsShellWindow(WindowSystem& windows, WindowHandle window) {
  if (window == 0) return false;
  if (window == windows.GetShellWindow() || window == windows.GetDesktopWindow()) return true;
  return IsTrayWindow(windows, window) || OfClass(windows, window, kDesktopClasses);
}

}  // namespace nookshade
