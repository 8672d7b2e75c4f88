#pragma once
// One notification-area icon per occupied slot, owned by the panel. A left
// double-click comes back to the panel as the callback message with the
// icon's identifier in wParam and WM_LBUTTONDBLCLK in lParam.

#include <cstdint>
#include <string_view>

#include "model/program_state.h"
#include "platform/platform.h"

namespace nookshade {

// A private message. WM_MOUSEMOVE, the usual choice of older tray code, also
// arrives for a real mouse move across the panel: at client point (515, 0)
// its lParam equals WM_LBUTTONDBLCLK and would be taken for a double-click.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x8001;  // WM_APP + 1
inline constexpr std::intptr_t kTrayDoubleClick = 0x203;
inline constexpr std::string_view kTrayTip = "Nookshade";

struct TrayEntry {
  std::int32_t Id = 0;
  IconHandle icon = 0;
};

// Picks the record generation from the shell's major version, once.
void ChooseTrayRecordSize(Platform& platform, ProgramState& state);
// Whether the icon is in the notification area afterwards: added, or found
// there already (the shell may announce a restart it did not make).
bool AddTrayIcon(Platform& platform, ProgramState& state, WindowHandle owner,
                 const TrayEntry& entry);
void RemoveTrayIcon(Platform& platform, ProgramState& state, WindowHandle owner, std::int32_t id);

}  // namespace nookshade
