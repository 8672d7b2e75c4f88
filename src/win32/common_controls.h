#pragma once
// The common controls library (version 6, through the manifest), bound when
// the panel first builds its controls instead of when the program starts:
// under Wine its start alone gives a process about 1.5 MiB of private memory
// (it decodes three large cursors), which a Nookshade armed at login and
// never opened does not need, and the time it takes would come before the
// first paint of every start.

#include "win32/win32_api.h"

namespace nookshade::win32 {

struct CommonControls {
  decltype(&::SetWindowSubclass) setWindowSubclass = nullptr;
  decltype(&::DefSubclassProc) defSubclassProc = nullptr;
  decltype(&::RemoveWindowSubclass) removeWindowSubclass = nullptr;
};

// Loads the library once and prepares its standard classes; null when it
// cannot be had.
const CommonControls* LoadCommonControls() noexcept;

// The library as loaded, for the procedures of controls that it subclassed
// (so it is loaded by the time they run).
const CommonControls& LoadedCommonControls() noexcept;

}  // namespace nookshade::win32
