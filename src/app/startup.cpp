#include "app/startup.h"

#include "model/recovery_journal.h"

namespace nookshade {

bool Main(Platform& platform, const std::function<void()>& showPanel) {
  System& system = platform.system;
  if (!system.ClaimSingleInstance()) {
    system.WakeRunningInstance();
    return false;
  }
  RecoveryJournal(platform).Recover();
  const ModuleHandle shell32 = system.LoadLibrary("shell32.dll");
  if (!system.InitCommonControlsEx(kStandardClasses)) system.InitCommonControls();
  showPanel();
  if (shell32 != 0) system.FreeLibrary(shell32);
  return true;
}

}  // namespace nookshade
