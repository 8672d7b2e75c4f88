#pragma once

#include <functional>

#include "platform/platform.h"

namespace nookshade {

// Start-up. A second Nookshade only wakes the first one and ends: two
// pollers would run every hotkey twice. Then, before anything else, windows
// that a killed or crashed run left hidden are shown again. Then the panel
// is loaded and shown, or sent to the tray unseen when it starts there;
// what it needs only once it is seen (its controls) or armed (the shell's
// library) comes then, after the first paint. Returns false when another
// Nookshade was woken instead.
bool Main(Platform& platform, const std::function<void()>& showPanel);

}  // namespace nookshade
