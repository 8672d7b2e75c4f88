#pragma once

#include <functional>

#include "platform/system.h"

namespace nookshade {

inline constexpr std::uint32_t kStandardClasses = 0x4000;  // ICC_STANDARD_CLASSES

// Prepares the common controls, then shows the panel without waiting.
// Keeping shell32 loaded across the set-up lets the controls library bind
// to the shell's themed resources on old systems.
void Main(System& system, const std::function<void()>& showPanel);

}  // namespace nookshade
