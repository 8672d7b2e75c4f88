#pragma once
// Waiting for a state: every wait polls a condition until it holds or a
// deadline passes. There is no other kind of wait in the driver.

#include <windows.h>

namespace e2e {

// Deadlines, generous for a loaded two-core machine; a passing run never
// waits them out.
inline constexpr DWORD kStartDeadlineMs = 30000;
inline constexpr DWORD kUiDeadlineMs = 10000;
inline constexpr DWORD kExitDeadlineMs = 10000;
inline constexpr DWORD kPollIntervalMs = 20;

template <typename Condition>
bool WaitUntil(Condition&& condition, DWORD deadlineMs = kUiDeadlineMs) {
  const ULONGLONG end = GetTickCount64() + deadlineMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollIntervalMs);
  }
}

}  // namespace e2e
