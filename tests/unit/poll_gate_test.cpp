// The poll timer skips ticks that cannot find a press. Two pollers, one
// gated and one probing on every tick, are fed the same long random input on
// desktops of their own; they must fill the same buffers and fire the same
// hotkeys. NOOKSHADE_GATE_SEEDS=<n> runs n seeds instead of the usual few.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "hotkeys/hotkey_poller.h"
#include "sim_desktop.h"

namespace nookshade::test {
namespace {

struct PollRun {
  explicit PollRun(bool gated) {
    poller.gated = gated;
    poller.onMatch = [this](HotkeyAction action) { actions.push_back(action); };
  }
  sim::SimDesktop desktop;
  // (Ctrl)h, (Shift)(Ctrl)(Space) and (Alt)k as the poller looks for them.
  std::array<std::string, 3> keyStrings = {"\x11h", "\x10\x11 ", "\x12k"};
  HotkeyPoller poller{keyStrings, desktop};
  std::vector<HotkeyAction> actions;
};

// Keys that make every rule of the scan happen: both sides of each
// modifier (three of them end a tick early), the hotkeys' letters, a key
// between them and the mouse buttons.
constexpr std::array<int, 15> kKeys = {1,  2,   4,   16,  32,  'H', 'J', 'K',
                                       91, 160, 161, 162, 163, 164, 165};

// Returns the first step at which the two runs differ, or -1.
int FirstDifference(unsigned seed, int steps) {
  std::mt19937 random(seed);
  PollRun gated(true), everyTick(false);
  const auto both = [&](auto&& act) {
    act(gated);
    act(everyTick);
  };
  // Some runs start just before the clocks wrap round.
  const std::uint32_t start = seed % 2 == 0 ? 0u : 0xFFFFFF00u - seed;
  both([&](PollRun& r) { r.desktop.now = r.desktop.lastInput = start; });
  std::array<bool, 256> held{};
  bool armed = true;
  for (int step = 0; step < steps; ++step) {
    const unsigned roll = random() % 100;
    const int key = kKeys[random() % kKeys.size()];
    if (roll < 25) {
      if (!held[key]) both([&](PollRun& r) { r.desktop.PressKey(key); });
      held[key] = true;
    } else if (roll < 50) {
      if (held[key]) both([&](PollRun& r) { r.desktop.ReleaseKey(key); });
      held[key] = false;
    } else if (roll < 53) {
      // The panel shown or hidden again.
      armed = !armed;
      if (!armed) both([](PollRun& r) { r.poller.Disarmed(); });
    } else if (roll < 58) {
      // A stall: the message loop was busy elsewhere and no tick came.
      const std::uint32_t gap = random() % 1000;
      both([&](PollRun& r) { r.desktop.now += gap; });
    } else {
      const int ticks = 1 + static_cast<int>(random() % (roll < 90 ? 4 : 150));
      for (int i = 0; i < ticks; ++i) {
        both([&](PollRun& r) {
          ++r.desktop.now;
          if (armed) r.poller.Tick();
        });
        if (gated.poller.Buffer() != everyTick.poller.Buffer() ||
            gated.actions != everyTick.actions) {
          return step;
        }
      }
    }
  }
  return -1;
}

TEST(PollGateTest, SkippedTicksChangeNoBufferAndNoHotkey) {
  const char* wanted = std::getenv("NOOKSHADE_GATE_SEEDS");
  const unsigned seeds = wanted != nullptr ? static_cast<unsigned>(std::atoi(wanted)) : 8u;
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    EXPECT_EQ(FirstDifference(seed, 4000), -1) << "seed " << seed;
  }
}

TEST(PollGateTest, AnIdleArmedTickProbesNoKey) {
  PollRun run(true);
  run.desktop.now = 5000;
  run.desktop.lastInput = 4000;
  for (int i = 0; i < 20; ++i) {  // the first armed ticks, then idle ones
    ++run.desktop.now;
    run.poller.Tick();
  }
  run.desktop.PressKey('H');  // a probe would clear its press bit...
  run.desktop.ReleaseKey('H');
  run.desktop.lastInput = 4000;  // ...but the input clock saw nothing since
  run.poller.Tick();
  EXPECT_EQ(run.desktop.GetAsyncKeyState('H'), 1);
}

}  // namespace
}  // namespace nookshade::test
