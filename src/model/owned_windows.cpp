#include "model/owned_windows.h"

#include <algorithm>

namespace nookshade {

std::vector<WindowHandle> TakeWithOwners(WindowSystem& windows,
                                         const std::vector<WindowHandle>& candidates,
                                         const std::function<OwnerSays(WindowHandle)>& rule) {
  // The pass in which each candidate was taken is its depth; -1: not taken.
  std::vector<int> depth(candidates.size(), -1);
  int pass = 0;
  for (bool more = true; more; ++pass) {
    std::vector<std::size_t> taken;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (depth[i] >= 0) continue;
      const WindowHandle owner = windows.GetOwner(candidates[i]);
      const OwnerSays says = rule(owner);
      if (says == OwnerSays::AsOwner) {
        const auto found = std::find(candidates.begin(), candidates.end(), owner);
        if (found == candidates.end() ||
            depth[static_cast<std::size_t>(found - candidates.begin())] < 0) {
          continue;
        }
      } else if (says == OwnerSays::Leave) {
        continue;
      }
      taken.push_back(i);
    }
    for (const std::size_t i : taken) depth[i] = pass;
    more = !taken.empty();
  }
  std::vector<WindowHandle> out;
  for (int d = pass - 1; d >= 0; --d) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (depth[i] == d) out.push_back(candidates[i]);
    }
  }
  return out;
}

std::vector<WindowHandle> OwnedBy(WindowSystem& windows,
                                  const std::vector<WindowHandle>& candidates,
                                  WindowHandle window) {
  return TakeWithOwners(windows, candidates, [window](WindowHandle owner) {
    return owner == window ? OwnerSays::Take : OwnerSays::AsOwner;
  });
}

std::vector<WindowIdentity> VisibleDialogs(Platform& platform, WindowHandle window) {
  WindowSystem& windows = platform.windows;
  std::vector<WindowHandle> candidates;
  for (const WindowHandle other : windows.EnumTopLevelWindows()) {
    if (windows.IsWindowVisible(other) &&
        windows.GetWindowProcessId(other) != platform.system.CurrentProcessId()) {
      candidates.push_back(other);
    }
  }
  std::vector<WindowIdentity> dialogs;
  for (const WindowHandle dialog : OwnedBy(windows, candidates, window)) {
    dialogs.push_back(WindowIdentity::Of(windows, dialog));
  }
  return dialogs;
}

}  // namespace nookshade
