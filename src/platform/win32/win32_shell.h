#pragma once

#include "platform/shell.h"
#include "platform/win32/win32_api.h"

namespace nookshade::win32 {

class Win32Shell final : public Shell {
 public:
  bool NotifyIcon(TrayOperation operation, const TrayRecord& record) override;
  std::uint16_t FileMajorVersion(std::string_view file) override;

 private:
  bool notifyIconBound_ = false;
  decltype(&::Shell_NotifyIconW) notifyIcon_ = nullptr;
};

}  // namespace nookshade::win32
