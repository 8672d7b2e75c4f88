#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window_system.h"

namespace nookshade {

// The program's icon group: 16 to 128 pixels, 32 bits with alpha.
inline constexpr std::string_view kIconResource = "ABC";

// Gives a window the program's icon at the big and small sizes the system
// asks for; with alsoOwner, the top of its owner chain gets each icon first.
void SetAlphaIcon(WindowSystem& windows, WindowHandle window, std::string_view resourceName,
                  bool alsoOwner);

// Puts a window into the topmost band; the window system's result.
std::int32_t SetTopMostWindow(WindowSystem& windows, WindowHandle window);

}  // namespace nookshade
