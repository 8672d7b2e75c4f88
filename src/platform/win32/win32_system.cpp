#include "platform/win32/win32_system.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_api.h"

namespace nookshade::win32 {
namespace {

// Long paths (\\?\ prefixed) are bounded by the 16-bit UNICODE_STRING length.
constexpr DWORD kMaxModulePath = 32768;

}  // namespace

ModuleHandle Win32System::LoadLibrary(std::string_view name) {
  const std::wstring wide = Widen(name);
  return reinterpret_cast<ModuleHandle>(::LoadLibraryW(wide.c_str()));
}

void Win32System::FreeLibrary(ModuleHandle module) {
  if (module != 0) ::FreeLibrary(reinterpret_cast<HMODULE>(module));
}

bool Win32System::InitCommonControlsEx(std::uint32_t classes) {
  INITCOMMONCONTROLSEX init{};
  init.dwSize = sizeof(init);
  init.dwICC = classes;
  return ::InitCommonControlsEx(&init) != FALSE;
}

void Win32System::InitCommonControls() { ::InitCommonControls(); }

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
