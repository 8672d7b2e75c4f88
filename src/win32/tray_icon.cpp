#include "win32/tray_icon.h"

#include <algorithm>
#include <string>
#include <vector>

namespace nookshade::win32 {
namespace {

std::uint16_t Shell32MajorVersion() {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(L"shell32.dll", &ignored);
  if (size == 0) return 0;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(L"shell32.dll", 0, size, block.data())) return 0;
  void* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), L"\\", &info, &length) || info == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return 0;
  }
  return HIWORD(static_cast<const VS_FIXEDFILEINFO*>(info)->dwFileVersionMS);
}

// Bound at the first icon, not at the start: the shell's library and the
// libraries it loads would come before the panel's first paint, and a
// program that never hides anything would not need them at all.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* record) {
  using Function = decltype(&::Shell_NotifyIconW);
  static const Function bound = [] {
    const HMODULE shell32 = ::LoadLibraryW(L"shell32.dll");
    return shell32 == nullptr ? nullptr
                              : reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
                                    ::GetProcAddress(shell32, "Shell_NotifyIconW")));
  }();
  return bound != nullptr ? bound(message, record) : FALSE;
}

}  // namespace

DWORD TrayRecordSize() {
  // Each generation of the shell refuses a record larger than its own.
  // The shell's file version went from 6 (Vista to 8.1) to 10.
  const std::uint16_t version = Shell32MajorVersion();
  if (version >= 6) return sizeof(NOTIFYICONDATAW);
  return version == 5 ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE;
}

TrayIcon::TrayIcon(HWND owner, UINT id, DWORD recordSize, std::wstring_view tip) {
  record_.cbSize = recordSize;
  record_.hWnd = owner;
  record_.uID = id;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = kTrayCallbackMessage;
  // The oldest record holds 64 tip characters, the later ones 128.
  const std::size_t capacity =
      recordSize == NOTIFYICONDATAW_V1_SIZE ? 64 : std::size(record_.szTip);
  std::copy_n(tip.begin(), std::min(tip.size(), capacity - 1), record_.szTip);
  // The icons are shared images: the shell must not destroy them.
  record_.dwState = NIS_SHAREDICON;
  record_.uVersion = NOTIFYICON_VERSION;
}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Show(HICON icon) {
  record_.hIcon = icon;
  added_ = NotifyIcon(NIM_ADD, &record_) != FALSE || NotifyIcon(NIM_MODIFY, &record_) != FALSE;
  if (added_) NotifyIcon(NIM_SETVERSION, &record_);
  return added_;
}

void TrayIcon::Remove() {
  if (!added_) return;
  NotifyIcon(NIM_DELETE, &record_);
  added_ = false;
}

}  // namespace nookshade::win32
