#include "win32/common_controls.h"

namespace nookshade::win32 {
namespace {

CommonControls loaded;

// Through a generic function pointer: a direct cast between unrelated
// function types draws a warning.
template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

bool Load() noexcept {
  // Resolved through the program's manifest to version 6.
  const HMODULE module = ::LoadLibraryW(L"comctl32.dll");
  if (module == nullptr) return false;
  const auto initEx = Bind<decltype(&::InitCommonControlsEx)>(module, "InitCommonControlsEx");
  if (initEx != nullptr) {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_STANDARD_CLASSES;
    initEx(&init);
  }
  loaded.setWindowSubclass = Bind<decltype(&::SetWindowSubclass)>(module, "SetWindowSubclass");
  loaded.defSubclassProc = Bind<decltype(&::DefSubclassProc)>(module, "DefSubclassProc");
  loaded.removeWindowSubclass =
      Bind<decltype(&::RemoveWindowSubclass)>(module, "RemoveWindowSubclass");
  return loaded.setWindowSubclass != nullptr && loaded.defSubclassProc != nullptr &&
         loaded.removeWindowSubclass != nullptr;
}

}  // namespace

const CommonControls* LoadCommonControls() noexcept {
  static const bool available = Load();
  return available ? &loaded : nullptr;
}

const CommonControls& LoadedCommonControls() noexcept { return loaded; }

}  // namespace nookshade::win32
