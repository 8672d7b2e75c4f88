#pragma once
// The notification area: one icon per hidden window, owned by the panel's
// window and told apart by an identifier. The shell reports a double-click
// on an icon to its owner, whose view turns it into the panel's intent.

#include <cstdint>

#include "platform/types.h"

namespace nookshade {

class Shell {
 public:
  virtual ~Shell() = default;
  // Adds the icon, or brings it up to date when the shell has it already
  // (it may announce a restart it did not make). Whether the icon is in the
  // notification area afterwards.
  virtual bool ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) = 0;
  virtual void RemoveIcon(WindowHandle owner, std::int32_t id) = 0;
  // The notification area's window, or 0 while there is none. One that
  // comes back is a new window, which holds none of the icons shown before.
  virtual WindowHandle TrayWindow() = 0;
};

}  // namespace nookshade
