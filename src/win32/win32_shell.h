#pragma once
// The notification area: the program's icons, one object each.

#include <map>
#include <memory>
#include <utility>

#include "platform/shell.h"
#include "win32/tray_icon.h"

namespace nookshade::win32 {

class Win32Shell final : public Shell {
 public:
  bool ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) override;
  void RemoveIcon(WindowHandle owner, std::int32_t id) override;
  WindowHandle TrayWindow() override;

 private:
  DWORD recordSize_ = 0;  // chosen at the first icon
  std::map<std::pair<WindowHandle, std::int32_t>, std::unique_ptr<TrayIcon>> icons_;
};

}  // namespace nookshade::win32
