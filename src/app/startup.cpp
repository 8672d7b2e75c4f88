#include "app/startup.h"

namespace nookshade {

void Main(System& system, const std::function<void()>& showPanel) {
  const ModuleHandle shell32 = system.LoadLibrary("shell32.dll");
  if (!system.InitCommonControlsEx(kStandardClasses)) system.InitCommonControls();
  showPanel();
  if (shell32 != 0) system.FreeLibrary(shell32);
}

}  // namespace nookshade
