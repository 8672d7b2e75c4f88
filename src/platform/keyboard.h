#pragma once

#include <cstdint>

namespace nookshade {

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Bit 15: down now. Bit 0: pressed since this code's previous probe.
  virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
  // The input clock, in milliseconds that wrap around: the time stamp of
  // the last input event (key, mouse button or move) and the time now.
  virtual std::uint32_t LastInputTime() = 0;
  virtual std::uint32_t TickCount() = 0;
};

}  // namespace nookshade
