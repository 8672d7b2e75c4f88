#pragma once

#include <cstdint>

namespace nookshade {

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Bit 15: down now. Bit 0: pressed since this code's previous probe.
  virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
};

}  // namespace nookshade
