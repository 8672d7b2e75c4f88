#pragma once

#include <cstdint>
#include <functional>

namespace nookshade {

enum class TimerId : std::int32_t { HotkeyPoll = 1, PickerDrag = 2, TrayRetry = 3 };

class Timers {
 public:
  virtual ~Timers() = default;
  virtual void StartTimer(TimerId id, unsigned intervalMs, std::function<void()> tick) = 0;
  virtual void StopTimer(TimerId id) = 0;
};

}  // namespace nookshade
