#pragma once

#include <functional>

#include "platform/platform.h"

namespace nookshade {

inline constexpr std::uint32_t kStandardClasses = 0x4000;  // ICC_STANDARD_CLASSES

// Start-up. A second Nookshade only wakes the first one and ends: two
// pollers would run every hotkey twice. Then, before anything else, windows
// that a killed or crashed run left hidden are shown again. Then the common
// controls are prepared and the panel is shown without waiting; keeping
// shell32 loaded across the set-up lets the controls library bind to the
// shell's themed resources on old systems. Returns whether the panel was
// shown.
bool Main(Platform& platform, const std::function<void()>& showPanel);

}  // namespace nookshade
