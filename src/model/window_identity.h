#pragma once
// A window as the program hid it: its handle and what identifies it beyond
// the handle, which the window system may give to another window once this
// one is gone.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace nookshade {

struct WindowIdentity {
  WindowHandle window = 0;
  std::uint32_t processId = 0;
  std::string className;
  bool operator==(const WindowIdentity&) const = default;

  static WindowIdentity Of(WindowSystem& windows, WindowHandle window) {
    return {window, windows.GetWindowProcessId(window), windows.GetClassName(window)};
  }
  // Still the window it was: showing a handle that now names another
  // program's hidden window would bare what that program hides.
  bool StillNames(WindowSystem& windows) const {
    return windows.IsWindow(window) && windows.GetWindowProcessId(window) == processId &&
           windows.GetClassName(window) == className;
  }
};

// Shows the windows again from the bottom up, each only while it is still
// the same window; the one that had the keyboard last of all, in front and
// with the keyboard again, whatever order they were in (the window system
// keeps a window's dialogs above it).
inline void ShowAgain(WindowSystem& windows, std::vector<WindowIdentity> bottomUp,
                      WindowHandle front) {
  std::stable_partition(bottomUp.begin(), bottomUp.end(),
                        [front](const WindowIdentity& w) { return w.window != front; });
  for (const WindowIdentity& w : bottomUp) {
    if (w.StillNames(windows)) windows.ShowWindow(w.window, ShowCommand::Show);
  }
}

// A window and its dialogs (listed top first), as ShowAgain takes them.
inline std::vector<WindowIdentity> BottomUp(const WindowIdentity& window,
                                            const std::vector<WindowIdentity>& dialogs) {
  std::vector<WindowIdentity> windows{window};
  windows.insert(windows.end(), dialogs.rbegin(), dialogs.rend());
  return windows;
}

inline std::vector<WindowHandle> Handles(std::span<const WindowIdentity> windows) {
  std::vector<WindowHandle> handles;
  for (const WindowIdentity& window : windows) handles.push_back(window.window);
  return handles;
}

}  // namespace nookshade
