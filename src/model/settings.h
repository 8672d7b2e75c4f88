#pragma once
// The per-user settings store: text values under
// HKEY_CURRENT_USER\Software\<application>\<section>.

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace nookshade {

inline constexpr std::string_view kAppName = "Nookshade PRO";
// The title of message boxes that have none of their own.
inline constexpr std::string_view kAppTitle = "Nookshade";

struct SettingKey {
  std::string_view section;
  std::string_view key;
};

namespace setting {
inline constexpr SettingKey kHideWindowHotkey{"Saved Data", "HKn"};
inline constexpr SettingKey kHideAllHotkey{"Saved Data", "HKa"};
inline constexpr SettingKey kFakeWorkHotkey{"Saved Data", "HKfw"};
inline constexpr SettingKey kLaunchFakeWork{"Saved Data", "LFW"};
inline constexpr SettingKey kPassword{"Saved Data", "Password"};
inline constexpr SettingKey kAutoStart{"Startup", "Auto"};
inline constexpr SettingKey kLoginStart{"Startup", "Login"};
inline constexpr SettingKey kNoNotification{"Startup", "Note"};
// Written by the program alone (see model/recovery_journal.h).
inline constexpr SettingKey kRecoveryJournal{"Recovery", "Windows"};
}  // namespace setting

std::string SettingPath(std::string_view application, std::string_view section);

// The stored text, or the default when the value, its key, or a string form
// of it is missing. A value of another type is left in place untouched;
// `unreadable` tells such a value (or a damaged one) from one that is absent.
std::string GetSetting(Registry& registry, std::string_view application, std::string_view section,
                       std::string_view key, std::string_view defaultValue);
std::string GetSetting(Registry& registry, std::string_view application, std::string_view section,
                       std::string_view key, std::string_view defaultValue, bool& unreadable);
// Creates the keys as needed; returns whether the value was written.
[[nodiscard]] bool SaveSetting(Registry& registry, std::string_view application,
                               std::string_view section, std::string_view key,
                               std::string_view value);

// Removes a value; a missing value or key is no failure.
void DeleteSetting(Registry& registry, std::string_view application, std::string_view section,
                   std::string_view key);

// A stored option as a check box value: 0, 1 or 2; anything else is 0.
int ParseOptionValue(std::string_view stored);

}  // namespace nookshade
