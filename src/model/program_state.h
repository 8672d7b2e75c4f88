#pragma once
// The few values that live outside the panel for the whole process.

#include <cstdint>
#include <string>

#include "platform/secret.h"
#include "platform/window_system.h"

namespace nookshade {

struct ProgramState {
  std::string UnlockPassword;
  SecretString TypedPassword;
};

}  // namespace nookshade
