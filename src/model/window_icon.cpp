#include "model/window_icon.h"

namespace nookshade {
namespace {

void SendIcon(WindowSystem& windows, WindowHandle window, WindowHandle top, IconKind kind,
              IconHandle icon) {
  // Each change is sent on to the window manager (under Wine, an X
  // property drawn from the icon): a window that is its own top gets it once.
  if (top != window) windows.SetWindowIcon(top, kind, icon);
  windows.SetWindowIcon(window, kind, icon);
}

}  // namespace

void SetAlphaIcon(WindowSystem& windows, WindowHandle window, std::string_view resourceName,
                  bool alsoOwner) {
  WindowHandle top = window;
  if (alsoOwner) {
    // Owner chains are short, but a broken one must not hang the start-up.
    constexpr int kMaxDepth = 64;
    WindowHandle owner = windows.GetOwner(window);
    for (int depth = 0; owner != 0 && depth < kMaxDepth; ++depth) {
      top = owner;
      owner = windows.GetOwner(owner);
    }
  }
  const IconHandle big =
      windows.LoadAppIcon(resourceName, windows.GetSystemMetric(SystemMetric::IconWidth),
                          windows.GetSystemMetric(SystemMetric::IconHeight));
  SendIcon(windows, window, top, IconKind::Big, big);
  const IconHandle small =
      windows.LoadAppIcon(resourceName, windows.GetSystemMetric(SystemMetric::SmallIconWidth),
                          windows.GetSystemMetric(SystemMetric::SmallIconHeight));
  SendIcon(windows, window, top, IconKind::Small, small);
}

std::int32_t SetTopMostWindow(WindowSystem& windows, WindowHandle window) {
  return windows.SetTopmost(window, true);
}

}  // namespace nookshade
