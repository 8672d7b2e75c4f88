#include "win32/win32_shell.h"

#include "win32/handle_cast.h"

namespace nookshade::win32 {

bool Win32Shell::ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) {
  if (recordSize_ == 0) recordSize_ = TrayRecordSize();
  auto& entry = icons_[{owner, id}];
  if (!entry) {
    entry =
        std::make_unique<TrayIcon>(ToHwnd(owner), static_cast<UINT>(id), recordSize_, L"Nookshade");
  }
  return entry->Show(ToHicon(icon));
}

void Win32Shell::RemoveIcon(WindowHandle owner, std::int32_t id) {
  // The icon removes itself as it goes.
  icons_.erase({owner, id});
}

// The window the shell sends icons to, as Shell_NotifyIcon finds it.
WindowHandle Win32Shell::TrayWindow() { return FromHwnd(::FindWindowW(L"Shell_TrayWnd", nullptr)); }

}  // namespace nookshade::win32
