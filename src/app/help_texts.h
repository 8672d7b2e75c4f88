#pragma once
// The help menu's texts, shown word for word.

#include <optional>
#include <string>

#include "platform/panel_view.h"

namespace nookshade {

inline constexpr std::string_view kHelpTitle = "Nookshade Pro";

// The text of a help menu item, or nothing for any other control.
std::optional<std::string> HelpText(ControlId menuItem);

}  // namespace nookshade
