#include "win32/win32_system.h"

#include "win32/panel_window.h"
#include "win32/wide_text.h"
#include "win32/win32_api.h"

namespace nookshade::win32 {
namespace {

// Long paths (\\?\ prefixed) are bounded by the 16-bit UNICODE_STRING length.
constexpr DWORD kMaxModulePath = 32768;

}  // namespace

void Win32System::LogCaught(const char* where) noexcept {
  try {
    Win32System().Log(std::string("a failure was caught and skipped in ") + where);
  } catch (...) {
    ::OutputDebugStringW(L"Nookshade: a failure was caught and skipped\n");
  }
}

void Win32System::Log(std::string_view line) {
  const std::wstring text = L"Nookshade: " + Widen(line) + L"\n";
  ::OutputDebugStringW(text.c_str());
}

bool Win32System::ClaimSingleInstance() {
  // Per session: another user's Nookshade on the same machine hides other
  // windows. The name is the claim; the handle keeps it until the process
  // ends, however it ends.
  instanceClaim_.Reset(::CreateMutexW(nullptr, FALSE, L"Local\\Nookshade.SingleInstance"));
  // A copy with more rights (started as administrator) holds a claim that
  // this one may not even open: it runs, and this copy must not show what
  // that one hid from its journal.
  if (!instanceClaim_) return ::GetLastError() != ERROR_ACCESS_DENIED;
  return ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void Win32System::WakeRunningInstance() {
  const HWND panel = ::FindWindowW(kPanelClassName, nullptr);
  if (panel == nullptr) return;
  // The running program may take the foreground from this one.
  DWORD processId = 0;
  ::GetWindowThreadProcessId(panel, &processId);
  ::AllowSetForegroundWindow(processId);
  ::PostMessageW(panel, ::RegisterWindowMessageW(kWakeMessageName), 0, 0);
}

std::string Win32System::ModulePath() {
  // The result fills the buffer exactly when the path was cut short, so the
  // buffer grows until the whole path fits.
  for (DWORD size = MAX_PATH;; size = size * 2 < kMaxModulePath ? size * 2 : kMaxModulePath) {
    std::wstring path(size, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return Narrow(path);
    }
    if (size == kMaxModulePath) return {};
  }
}

}  // namespace nookshade::win32
