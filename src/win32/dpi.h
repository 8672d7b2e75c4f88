#pragma once
// The DPI a window is shown at, and sizes for that DPI. The per-monitor
// functions came with Windows 10; on older systems every window has the
// system DPI, and these answers fall back to it.

#include "win32/win32_api.h"

namespace nookshade::win32 {

// Not in the headers for the oldest supported Windows.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;  // WM_GETDPISCALEDSIZE

namespace dpi_detail {

// A function of user32 that this Windows may lack; null then. The cast goes
// through the generic function type, as GetProcAddress knows no other.
template <typename Function>
Function UserFunction(const char* name) noexcept {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  const FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace dpi_detail

inline int SystemDpi() noexcept {
  using GetDpiForSystemFunction = UINT(WINAPI*)();
  static const auto getDpiForSystem =
      dpi_detail::UserFunction<GetDpiForSystemFunction>("GetDpiForSystem");
  if (getDpiForSystem != nullptr) return static_cast<int>(getDpiForSystem());
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

inline int WindowDpi(HWND window) noexcept {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      dpi_detail::UserFunction<GetDpiForWindowFunction>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

// A size metric (icons, cursors, borders) as it is at this DPI. Older
// systems know it only at the system DPI, and it scales with the DPI.
inline int SizeMetricForDpi(int index, int dpi) noexcept {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto getSystemMetricsForDpi =
      dpi_detail::UserFunction<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi != nullptr) {
    return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  }
  return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

// The window rectangle around a client rectangle, with the frame, caption
// and menu bar as they are drawn at this DPI.
inline void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle,
                                   int dpi) noexcept {
  using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustWindowRectExForDpi =
      dpi_detail::UserFunction<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjustWindowRectExForDpi != nullptr &&
      adjustWindowRectExForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) {
    return;
  }
  // Before per-monitor scaling the frame is the same on every monitor.
  ::AdjustWindowRectEx(&rect, style, menu, exStyle);
}

}  // namespace nookshade::win32
