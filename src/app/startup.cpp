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
  showPanel();
  return true;
}

}  // namespace nookshade
