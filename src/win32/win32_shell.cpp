#include "win32/win32_shell.h"

#include "win32/handle_cast.h"

namespace nookshade::win32 {
namespace {

// Where no notification area runs on its X display, Wine shows icons in a
// window of its own, with a close box like any other window's. Closed, it
// hides for good and goes on taking icons that no one can see or click:
// hidden while it holds icons, it is no way back.
bool WineTrayClosed() {
  const HWND tray = ::FindWindowW(L"__winex11_standalone_tray", nullptr);
  return tray != nullptr && !::IsWindowVisible(tray) && ::GetWindow(tray, GW_CHILD) != nullptr;
}

}  // namespace

bool Win32Shell::ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) {
  if (recordSize_ == 0) recordSize_ = TrayRecordSize();
  auto& entry = icons_[{owner, id}];
  if (!entry) {
    entry =
        std::make_unique<TrayIcon>(ToHwnd(owner), static_cast<UINT>(id), recordSize_, L"Nookshade");
  }
  return entry->Show(ToHicon(icon)) && !WineTrayClosed();
}

void Win32Shell::RemoveIcon(WindowHandle owner, std::int32_t id) {
  // The icon removes itself as it goes.
  icons_.erase({owner, id});
}

// The window the shell sends icons to, as Shell_NotifyIcon finds it.
WindowHandle Win32Shell::TrayWindow() {
  return WineTrayClosed() ? 0 : FromHwnd(::FindWindowW(L"Shell_TrayWnd", nullptr));
}

}  // namespace nookshade::win32
