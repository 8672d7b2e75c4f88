#include "win32/win32_timers.h"

#include "win32/win32_system.h"

namespace nookshade::win32 {

void Win32Timers::Attach(HWND window) {
  window_ = window;
  for (const auto& [id, timer] : timers_) {
    ::SetTimer(window_, static_cast<UINT_PTR>(id), timer.intervalMs, nullptr);
  }
}

void Win32Timers::StartTimer(TimerId id, unsigned intervalMs, std::function<void()> tick) {
  timers_[id] = Timer{intervalMs, std::move(tick)};
  if (window_ != nullptr) ::SetTimer(window_, static_cast<UINT_PTR>(id), intervalMs, nullptr);
}

void Win32Timers::StopTimer(TimerId id) {
  if (window_ != nullptr) ::KillTimer(window_, static_cast<UINT_PTR>(id));
  timers_.erase(id);
}

void Win32Timers::OnTimer(UINT_PTR id) noexcept {
  // A message from elsewhere may carry any identifier, one that only its
  // cut to the identifiers' width would make ours.
  if (static_cast<UINT_PTR>(static_cast<TimerId>(id)) != id) return;
  const auto found = timers_.find(static_cast<TimerId>(id));
  if (found == timers_.end()) return;
  try {
    // A copy: the tick may stop or restart its own timer.
    const std::function<void()> tick = found->second.tick;
    if (tick) tick();
  } catch (...) {
    // One failed tick must not end the program; the next one comes anyway.
    Win32System::LogCaught("a timer tick");
  }
}

}  // namespace nookshade::win32
