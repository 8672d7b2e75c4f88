#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/keyboard.h"
#include "platform/window_system.h"
#include "win32/unique_handles.h"

namespace nookshade::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  // Icon and other sizes are answered for the DPI this window is shown at;
  // null answers for the system DPI.
  void SetMetricsWindow(HWND window) { metricsWindow_ = window; }

  WindowHandle GetForegroundWindow() override;
  bool ShowWindow(WindowHandle window, ShowCommand command) override;
  bool IsWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  WindowHandle GetParent(WindowHandle window) override;
  WindowHandle GetOwner(WindowHandle window) override;
  std::string GetWindowText(WindowHandle window, int maxChars) override;
  std::vector<WindowHandle> EnumTopLevelWindows() override;
  std::string GetWindowTitle(WindowHandle window) override;
  std::uint32_t GetWindowProcessId(WindowHandle window) override;
  std::string GetClassName(WindowHandle window) override;
  WindowHandle GetShellWindow() override;
  WindowHandle GetDesktopWindow() override;
  WindowHandle FindWindowByTitle(std::string_view title) override;

  IconHandle GetWindowIcon(WindowHandle window, IconKind kind) override;
  IconHandle GetClassSmallIcon(WindowHandle window) override;
  void SetWindowIcon(WindowHandle window, IconKind kind, IconHandle icon) override;
  IconHandle LoadAppIcon(std::string_view resourceName, int width, int height) override;
  int GetSystemMetric(SystemMetric metric) override;
  std::int32_t SetTopmost(WindowHandle window, bool topmost) override;

  Point GetCursorPos() override;
  WindowHandle WindowFromPoint(Point point) override;

 private:
  HWND metricsWindow_ = nullptr;
  // One icon per name and size, kept until the program ends: the core uses
  // them as shared icons, and the tray may take one again after a restart
  // of the shell. A shared load would not do: the system's cache answers
  // with the first size loaded, whatever size is asked for.
  std::map<std::tuple<std::wstring, int, int>, UniqueIcon> appIcons_;
};

class Win32Keyboard final : public Keyboard {
 public:
  std::int16_t GetAsyncKeyState(int virtualKey) override;
  std::uint32_t LastInputTime() override;
  std::uint32_t TickCount() override;
  bool WatchInput(WindowHandle window) override;
};

// What a raw-input message (WM_INPUT's handle) tells: whether a key or a
// mouse button went down or up, the events that set press bits (a pointer
// move or a wheel turn does not), and the key let go of or pressed, if any.
struct RawInputEvent {
  bool keyOrButton = true;
  int keyReleased = 0;
  int keyPressed = 0;
};
RawInputEvent ReadRawInput(HRAWINPUT input) noexcept;

}  // namespace nookshade::win32
