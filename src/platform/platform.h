#pragma once
// Everything the core may ask of the outside world, handed around as one
// bundle of references.

#include "platform/dialogs.h"
#include "platform/keyboard.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/timers.h"
#include "platform/window_system.h"

namespace nookshade {

struct Platform {
  WindowSystem& windows;
  Keyboard& keyboard;
  Shell& shell;
  Registry& registry;
  Dialogs& dialogs;
  Timers& timers;
  System& system;
};

}  // namespace nookshade
