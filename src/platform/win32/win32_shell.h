#pragma once

#include "platform/shell.h"

namespace nookshade::win32 {

class Win32Shell final : public Shell {
 public:
  bool NotifyIcon(TrayOperation operation, const TrayRecord& record) override;
  std::uint16_t FileMajorVersion(std::string_view file) override;
};

}  // namespace nookshade::win32
