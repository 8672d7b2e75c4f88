#pragma once
// A window's dialogs: the windows it owns, itself or through another of them.

#include <functional>
#include <vector>

#include "model/window_identity.h"
#include "platform/platform.h"

namespace nookshade {

// What an owner means for the windows it owns.
enum class OwnerSays {
  Take,     // they go
  Leave,    // they stay
  AsOwner,  // they go if it is a candidate that goes
};

// The candidates (listed top of the Z-order first) that go by the rule of
// their owners (0 for none), found whatever order the window system lists
// them in: it keeps an owned window above its owner, but under Wine a click
// can raise the owner above its dialogs. Listed deepest in the owner chains
// first, each depth top first: shown again in reverse, every owner comes
// back before its dialogs, which end on top of it.
std::vector<WindowHandle> TakeWithOwners(WindowSystem& windows,
                                         const std::vector<WindowHandle>& candidates,
                                         const std::function<OwnerSays(WindowHandle)>& rule);

// The candidates that the window owns, itself or through another of them.
std::vector<WindowHandle> OwnedBy(WindowSystem& windows,
                                  const std::vector<WindowHandle>& candidates, WindowHandle window);

// The visible windows of other programs that the window owns, itself or
// through another of them (a Find box, a question), as they are now.
std::vector<WindowIdentity> VisibleDialogs(Platform& platform, WindowHandle window);

}  // namespace nookshade
