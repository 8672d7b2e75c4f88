#pragma once
// The entry in the current user's run list that starts the program at login.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace nookshade {

inline constexpr std::string_view kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The command line stored for a program file: its full path in quotes, so
// that a folder with blanks cannot be read as another program plus arguments.
std::string LoginCommandLine(std::string_view programPath);

// The value name: the program's file name without its extension.
std::string LoginEntryName(std::string_view programPath);

// Writes (enable) or deletes the entry named `name`. Registry failures are
// reported in a message box titled with the application's title.
void SetLoginStart(Platform& platform, std::string_view name, std::string_view programPath,
                   bool enable);

}  // namespace nookshade
