#pragma once
// The few values that live outside the panel for the whole process.

#include <cstdint>
#include <string>

#include "platform/secret.h"
#include "platform/window_system.h"

namespace nookshade {

struct ProgramState {
  WindowProcToken PreviousWindowProc = 0;
  std::string UnlockPassword;
  SecretString TypedPassword;
  std::int32_t TrayRecordSize = 0;
};

}  // namespace nookshade
