#pragma once
// The panel on a simulated desktop, armed the way the automatic start arms
// it (the panel hides into its own slot on first activation), with no
// password so that putting a window back asks nothing.

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "allocation_count.h"
#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::bench {

inline constexpr int kRightCtrl = 163;
inline constexpr int kSpace = 32;

class ArmedPanel {
 public:
  using Setting = std::pair<SettingKey, std::string_view>;
  // Settings stored before the start, on top of the automatic start and
  // the empty password.
  explicit ArmedPanel(std::initializer_list<Setting> settings = {});
  ArmedPanel(const ArmedPanel&) = delete;
  ArmedPanel& operator=(const ArmedPanel&) = delete;

  Panel& panel() { return session.panel(); }
  void Tick() { desktop.FireTimer(TimerId::HotkeyPoll); }
  // One key down in a tick of its own, then up.
  void Keystroke(int key) {
    desktop.PressKey(key);
    Tick();
    desktop.ReleaseKey(key);
  }
  // Ticks until the last input is older than the poller's settling time,
  // so that the next tick is an idle one.
  void Settle();
  // Fills fake-work slot 0..2 with the window, as a drag of its crosshair does.
  void PickFakeWork(int slot, WindowHandle window);
  // The simulated desktop records every call; a long run empties the
  // records between iterations so that its memory stays level.
  void ForgetRecords();

  sim::SimDesktop desktop;
  sim::SimSession session{desktop};
};

}  // namespace nookshade::bench
