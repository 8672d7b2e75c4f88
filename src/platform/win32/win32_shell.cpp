#include "platform/win32/win32_shell.h"

#include <algorithm>
#include <vector>

#include "platform/win32/handle_cast.h"
#include "platform/win32/wide_text.h"

namespace nookshade::win32 {
namespace {

// The core names the record's generation by its ANSI size on 32-bit
// Windows; the wide record of this build has its own size per generation.
DWORD WideRecordSize(std::int32_t generation) {
  switch (generation) {
    case 504:
      return sizeof(NOTIFYICONDATAW);
    case 488:
      return NOTIFYICONDATAW_V2_SIZE;
    default:
      return NOTIFYICONDATAW_V1_SIZE;
  }
}

// The oldest record holds 64 tip characters, the later ones 128.
std::size_t TipCapacity(DWORD recordSize) {
  return recordSize == NOTIFYICONDATAW_V1_SIZE ? 64 : std::size(NOTIFYICONDATAW{}.szTip);
}

}  // namespace

bool Win32Shell::NotifyIcon(TrayOperation operation, const TrayRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = WideRecordSize(record.recordSize);
  data.hWnd = ToHwnd(record.owner);
  data.uID = static_cast<UINT>(record.id);
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = ToHicon(record.icon);
  const std::wstring tip = Widen(record.tip);
  const std::size_t tipLength = std::min(tip.size(), TipCapacity(data.cbSize) - 1);
  std::copy_n(tip.begin(), tipLength, data.szTip);
  data.dwState = record.state;
  data.uVersion = record.version;
  if (!notifyIconBound_) {
    // Bound at the first icon, not at the start: the shell's library and
    // the libraries it loads would come before the panel's first paint.
    notifyIconBound_ = true;
    if (const HMODULE shell32 = ::LoadLibraryW(L"shell32.dll")) {
      notifyIcon_ = reinterpret_cast<decltype(&::Shell_NotifyIconW)>(
          reinterpret_cast<void (*)()>(::GetProcAddress(shell32, "Shell_NotifyIconW")));
    }
  }
  return notifyIcon_ != nullptr && notifyIcon_(static_cast<DWORD>(operation), &data) != FALSE;
}

std::uint16_t Win32Shell::FileMajorVersion(std::string_view file) {
  const std::wstring name = Widen(file);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(name.c_str(), &ignored);
  if (size == 0) return 0;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(name.c_str(), 0, size, block.data())) return 0;
  void* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), L"\\", &info, &length) || info == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return 0;
  }
  return HIWORD(static_cast<const VS_FIXEDFILEINFO*>(info)->dwFileVersionMS);
}

}  // namespace nookshade::win32
