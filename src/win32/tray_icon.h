#pragma once
// One notification-area icon: it owns its record, and adds, updates and
// removes itself. A left double-click comes back to the owner window as the
// callback message with the icon's identifier in wParam and
// WM_LBUTTONDBLCLK in lParam.

#include <string_view>

#include "win32/win32_api.h"

namespace nookshade::win32 {

// A private message. WM_MOUSEMOVE, the usual choice of older tray code, also
// arrives for a real mouse move across the panel: at client point (515, 0)
// its lParam equals WM_LBUTTONDBLCLK and would be taken for a double-click.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

class TrayIcon {
 public:
  // The record's size names its generation; the shell's version decides.
  TrayIcon(HWND owner, UINT id, DWORD recordSize, std::wstring_view tip);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon, or brings it up to date when the shell has it already
  // (after a restart it announced but did not make). Whether it is there.
  bool Show(HICON icon);
  void Remove();

 private:
  NOTIFYICONDATAW record_{};
  bool added_ = false;
};

// The record size that the installed shell understands.
DWORD TrayRecordSize();

}  // namespace nookshade::win32
