#pragma once
// Window and icon handles cross the core as 32-bit integers. User handles
// are 32-bit significant even in 64-bit processes, and the system widens
// them by sign extension, so the conversions go through intptr_t.

#include <cstdint>

#include "platform/types.h"
#include "win32/win32_api.h"

namespace nookshade::win32 {

inline HWND ToHwnd(WindowHandle handle) noexcept {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}

inline WindowHandle FromHwnd(HWND window) noexcept {
  return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

inline HICON ToHicon(IconHandle handle) noexcept {
  return reinterpret_cast<HICON>(static_cast<std::intptr_t>(handle));
}

inline IconHandle FromHandle(const void* handle) noexcept {
  return static_cast<IconHandle>(reinterpret_cast<std::intptr_t>(handle));
}

}  // namespace nookshade::win32
