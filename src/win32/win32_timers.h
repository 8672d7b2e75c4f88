#pragma once
// Timers of the panel window. The core starts its first timer while the
// panel loads, so timers live on that window and tick through its messages,
// also inside the nested loops of modal windows.

#include <map>

#include "platform/timers.h"
#include "win32/win32_api.h"

namespace nookshade::win32 {

class Win32Timers final : public Timers {
 public:
  // Timers started before the window exists begin when it is attached.
  void Attach(HWND window);
  void StartTimer(TimerId id, unsigned intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  // WM_TIMER of the attached window.
  void OnTimer(UINT_PTR id) noexcept;

 private:
  struct Timer {
    unsigned intervalMs = 0;
    std::function<void()> tick;
  };
  HWND window_ = nullptr;
  std::map<TimerId, Timer> timers_;
};

}  // namespace nookshade::win32
