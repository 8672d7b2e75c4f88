#include "model/settings.h"

#include "text/numbers.h"

namespace nookshade {
std::string SettingPath(std::string_view application, std::string_view section) {
  std::string path = "Software\\";
  path.append(application);
  path += '\\';
  path.append(section);
  return path;
}

std::string GetSetting(Registry& registry, std::string_view application, std::string_view section,
                       std::string_view key, std::string_view defaultValue) {
  bool unreadable = false;
  return GetSetting(registry, application, section, key, defaultValue, unreadable);
}

std::string GetSetting(Registry& registry, std::string_view application, std::string_view section,
                       std::string_view key, std::string_view defaultValue, bool& unreadable) {
  unreadable = false;
  ScopedKey handle(registry);
  std::int32_t status = handle.Open(SettingPath(application, section));
  std::string value;
  if (status == registry_status::kSuccess) status = registry.QueryString(handle.Get(), key, value);
  if (status == registry_status::kSuccess) return value;
  unreadable = status != registry_status::kFileNotFound;
  return std::string(defaultValue);
}

bool SaveSetting(Registry& registry, std::string_view application, std::string_view section,
                 std::string_view key, std::string_view value) {
  ScopedKey handle(registry);
  if (handle.Create(SettingPath(application, section)) != registry_status::kSuccess) return false;
  return registry.SetString(handle.Get(), key, value) == registry_status::kSuccess;
}

void DeleteSetting(Registry& registry, std::string_view application, std::string_view section,
                   std::string_view key) {
  ScopedKey handle(registry);
  if (handle.Open(SettingPath(application, section), true) != registry_status::kSuccess) return;
  registry.DeleteValue(handle.Get(), key);
}

int ParseOptionValue(std::string_view stored) {
  // Surrounding blanks are tolerated, as the stored digits may have been
  // edited by hand; anything else that is not 0, 1 or 2 counts as unchecked.
  while (!stored.empty() && stored.front() == ' ') stored.remove_prefix(1);
  while (!stored.empty() && stored.back() == ' ') stored.remove_suffix(1);
  const auto value = text::ParseInt32(stored);
  return (value && *value >= 0 && *value <= 2) ? *value : 0;
}

}  // namespace nookshade
