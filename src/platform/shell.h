#pragma once
// The notification area. The record mirrors the shell's notification-icon
// record; recordSize names its generation (504 newest, 488, 88 oldest) and
// each platform maps it to its own layout.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace nookshade {

enum class TrayOperation : std::int32_t { Add = 0, Modify = 1, Delete = 2, SetVersion = 4 };

struct TrayRecord {
  std::int32_t recordSize = 0;
  WindowHandle owner = 0;
  std::int32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  IconHandle icon = 0;
  std::string tip;  // UTF-8
  std::uint32_t state = 0;
  std::uint32_t version = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool NotifyIcon(TrayOperation operation, const TrayRecord& record) = 0;
  // Major version from a file's fixed version information; 0 when it has none.
  virtual std::uint16_t FileMajorVersion(std::string_view file) = 0;
};

}  // namespace nookshade
