#pragma once
// Handles travel through the core as the 32-bit values the window system
// guarantees to be significant (user handles are 32-bit even on 64-bit Windows).

#include <cstdint>

namespace nookshade {

using WindowHandle = std::int32_t;
using IconHandle = std::int32_t;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

}  // namespace nookshade
