#pragma once
// Waiting for a state: every wait polls a condition until it holds or a
// deadline passes. There is no other kind of wait in the driver.

#include <windows.h>

#include <algorithm>

namespace e2e {

// Deadlines, generous for a loaded two-core machine; a passing run never
// waits them out.
inline constexpr DWORD kStartDeadlineMs = 20000;
inline constexpr DWORD kUiDeadlineMs = 5000;
inline constexpr DWORD kExitDeadlineMs = 10000;
inline constexpr DWORD kPollIntervalMs = 20;

// The whole run's budget. A badly broken program would otherwise make every
// check wait out its own deadline; past the budget each wait gives up at
// once, so the remaining checks fail quickly and the summary still gets
// written before the runner's timeout.
inline constexpr ULONGLONG kRunBudgetMs = 150000;
inline ULONGLONG runEnd = ~0ULL;

inline void StartRunBudget() { runEnd = GetTickCount64() + kRunBudgetMs; }
inline bool WithinRunBudget() { return GetTickCount64() < runEnd; }

template <typename Condition>
bool WaitUntil(Condition&& condition, DWORD deadlineMs = kUiDeadlineMs) {
  const ULONGLONG end = std::min(GetTickCount64() + deadlineMs, runEnd);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollIntervalMs);
  }
}

// For what must not happen: the condition keeps holding for a while, long
// enough for the program's poll timer to tick a few dozen times.
inline constexpr DWORD kQuietMs = 300;
template <typename Condition>
bool Keeps(Condition&& condition, DWORD periodMs = kQuietMs) {
  return condition() && !WaitUntil([&] { return !condition(); }, periodMs);
}

}  // namespace e2e
