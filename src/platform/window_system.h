#pragma once
// What the core needs from the window system: other programs' top-level
// windows, the foreground and the pointer, icons and the topmost band.
// Titles are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace nookshade {

// Show activates the window; ShowNoActivate leaves the foreground as it is.
// Either brings a window already in sight to the front.
enum class ShowCommand : std::int32_t { Hide = 0, Show = 5, ShowNoActivate = 8 };
enum class IconKind : std::int32_t { Small = 0, Big = 1 };
enum class SystemMetric : std::int32_t {
  IconWidth = 11,
  IconHeight = 12,
  SmallIconWidth = 49,
  SmallIconHeight = 50,
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual WindowHandle GetForegroundWindow() = 0;
  // The result says whether the window was visible before; callers ignore it.
  virtual bool ShowWindow(WindowHandle window, ShowCommand command) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  // The parent of a child window; 0 for a top-level one, owned or not.
  virtual WindowHandle GetParent(WindowHandle window) = 0;
  virtual WindowHandle GetOwner(WindowHandle window) = 0;
  // At most maxChars - 1 characters, as the window system's own buffer rule.
  virtual std::string GetWindowText(WindowHandle window, int maxChars) = 0;
  // The whole title, however long.
  virtual std::string GetWindowTitle(WindowHandle window) = 0;
  // Top-level windows, top of the Z-order first.
  virtual std::vector<WindowHandle> EnumTopLevelWindows() = 0;
  // The process that owns the window; 0 when the window is gone.
  virtual std::uint32_t GetWindowProcessId(WindowHandle window) = 0;
  // The window's class name, UTF-8; "" when the window is gone.
  virtual std::string GetClassName(WindowHandle window) = 0;
  // The shell's desktop window and the window system's own; 0 when none.
  virtual WindowHandle GetShellWindow() = 0;
  virtual WindowHandle GetDesktopWindow() = 0;
  // Case-insensitive, top-level only, hidden windows included; 0 when none.
  virtual WindowHandle FindWindowByTitle(std::string_view title) = 0;

  virtual IconHandle GetWindowIcon(WindowHandle window, IconKind kind) = 0;
  virtual IconHandle GetClassSmallIcon(WindowHandle window) = 0;
  virtual void SetWindowIcon(WindowHandle window, IconKind kind, IconHandle icon) = 0;
  // A shared image from the program's own resources; 0 when missing.
  virtual IconHandle LoadAppIcon(std::string_view resourceName, int width, int height) = 0;
  virtual int GetSystemMetric(SystemMetric metric) = 0;
  // Returns the window system's result (non-zero on success).
  virtual std::int32_t SetTopmost(WindowHandle window, bool topmost) = 0;

  virtual Point GetCursorPos() = 0;
  virtual WindowHandle WindowFromPoint(Point point) = 0;
};

}  // namespace nookshade
