#include "app/login_entry.h"

#include <new>
#include <string>

#include "model/settings.h"
#include "platform/dialogs.h"

namespace nookshade {
namespace {

void ReportRegistryFailure(Platform& platform, std::int32_t status, std::string_view what) {
  std::string text = "Error " + std::to_string(status);
  text.append(what);
  text += "\r\n";
  text += platform.registry.DescribeStatus(status);
  platform.dialogs.MessageBox(text, kAppTitle, message_style::kOk);
}

std::string_view FileName(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string LoginCommandLine(std::string_view programPath) {
  std::string line = "\"";
  line.append(programPath);
  line += '"';
  return line;
}

std::string LoginEntryName(std::string_view programPath) {
  const std::string_view name = FileName(programPath);
  const auto dot = name.find_last_of('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

void SetLoginStart(Platform& platform, std::string_view name, std::string_view programPath,
                   bool enable) {
  try {
    // Without a name the value written would be the run key's default
    // value, which is not ours to write or delete.
    if (name.empty() || programPath.empty()) {
      constexpr std::int32_t kFileNotFound = registry_status::kFileNotFound;
      platform.dialogs.MessageBox(
          std::to_string(kFileNotFound) + " " + platform.registry.DescribeStatus(kFileNotFound),
          kAppTitle, message_style::kOk);
      return;
    }
    ScopedKey key(platform.registry);
    const std::int32_t opened = key.Create(kRunKeyPath);
    if (opened != registry_status::kSuccess) {
      ReportRegistryFailure(platform, opened, " opening key");
      return;
    }
    if (enable) {
      const std::int32_t set =
          platform.registry.SetString(key.Get(), name, LoginCommandLine(programPath));
      if (set != registry_status::kSuccess) ReportRegistryFailure(platform, set, " setting key");
    } else {
      // Deleting an entry that is not there is the wanted outcome already.
      platform.registry.DeleteValue(key.Get(), name);
    }
  } catch (const std::bad_alloc&) {
    // ERROR_NOT_ENOUGH_MEMORY, with the system's own wording.
    constexpr std::int32_t kNotEnoughMemory = 8;
    platform.dialogs.MessageBox(
        std::to_string(kNotEnoughMemory) + " " + platform.registry.DescribeStatus(kNotEnoughMemory),
        kAppTitle, message_style::kOk);
  }
}

}  // namespace nookshade
