// The poll timer skips ticks that cannot find a press, and sleeps until the
// next key or button event once it finds itself skipping. Three pollers, one
// probing on every tick, one gated and one that sleeps, are fed the same
// long random input on desktops of their own; they must fill the same
// buffers and fire the same hotkeys. NOOKSHADE_GATE_SEEDS=<n> runs n seeds
// instead of the usual few.

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

enum class Polling { EveryTick, Gated, Sleeping };

struct PollRun {
  explicit PollRun(Polling polling) : sleeps(polling == Polling::Sleeping) {
    poller.gated = polling != Polling::EveryTick;
    poller.onMatch = [this](HotkeyAction action) { actions.push_back(action); };
    if (!sleeps) return;
    // Woken as the panel wakes its timer: by raw input, and only when asleep.
    const WindowHandle window = desktop.AddWindow("poller", false);
    desktop.SetInputHandler(window, [this] {
      if (awake) return;
      awake = true;
      if (desktop.now == sleptAt) ++wokenAsItSlept;
      poller.InputArrived();
    });
    desktop.WatchInput(window);
  }
  // One period of the timer, as the panel's tick runs it: nothing while
  // asleep; while the panel is in sight, only a note for the next arming.
  void Tick(bool armed) {
    if (!awake) {
      ++ticksSlept;
      return;
    }
    if (!armed) {
      if (sleeps) poller.Disarmed();
      return;
    }
    poller.Tick();
    if (sleeps && poller.Idle()) {
      awake = false;
      sleptAt = desktop.now;
    }
  }

  const bool sleeps;
  sim::SimDesktop desktop;
  // (Ctrl)h, (Shift)(Ctrl)(Space) and (Alt)k as the poller looks for them.
  std::array<std::string, 3> keyStrings = {"\x11h", "\x10\x11 ", "\x12k"};
  HotkeyPoller poller{keyStrings, desktop};
  std::vector<HotkeyAction> actions;
  bool awake = true;
  std::uint32_t sleptAt = 0;
  int ticksSlept = 0;
  // Keys that went down in the very millisecond the timer stopped.
  int wokenAsItSlept = 0;
};

// Keys that make every rule of the scan happen: both sides of each
// modifier (three of them end a tick early), the hotkeys' letters, a key
// between them and the mouse buttons.
constexpr std::array<int, 15> kKeys = {1,  2,   4,   16,  32,  'H', 'J', 'K',
                                       91, 160, 161, 162, 163, 164, 165};

struct Outcome {
  int firstDifference = -1;  // the step at which the runs differ, or -1
  int ticksSlept = 0;
  int wokenAsItSlept = 0;
};

Outcome RandomRun(unsigned seed, int steps) {
  std::mt19937 random(seed);
  PollRun everyTick(Polling::EveryTick), gated(Polling::Gated), sleeping(Polling::Sleeping);
  const auto all = [&](auto&& act) {
    act(everyTick);
    act(gated);
    act(sleeping);
  };
  // Some runs start just before the clocks wrap round.
  const std::uint32_t start = seed % 2 == 0 ? 0u : 0xFFFFFF00u - seed;
  // Some show each key in the key state only as late as Wine may.
  const std::uint32_t delay = std::array<std::uint32_t, 3>{0, 20, 50}[seed % 3];
  all([&](PollRun& r) {
    r.desktop.now = r.desktop.lastInput = start;
    r.desktop.keyStateDelayMs = delay;
  });
  std::array<bool, 256> held{};
  bool armed = true;
  Outcome outcome;
  for (int step = 0; step < steps && outcome.firstDifference < 0; ++step) {
    const unsigned roll = random() % 100;
    const int key = kKeys[random() % kKeys.size()];
    if (roll < 25) {
      if (!held[key]) all([&](PollRun& r) { r.desktop.PressKey(key); });
      held[key] = true;
    } else if (roll < 48) {
      if (held[key]) all([&](PollRun& r) { r.desktop.ReleaseKey(key); });
      held[key] = false;
    } else if (roll < 50) {
      // Input that sets no press bit and wakes nobody.
      all([](PollRun& r) { r.desktop.MovePointer(); });
    } else if (roll < 53) {
      // The panel shown or hidden again.
      armed = !armed;
      if (!armed) {
        everyTick.poller.Disarmed();
        gated.poller.Disarmed();
      }
    } else if (roll < 58) {
      // A stall: the message loop was busy elsewhere and no tick came.
      const std::uint32_t gap = random() % 1000;
      all([&](PollRun& r) { r.desktop.now += gap; });
    } else {
      const int ticks = 1 + static_cast<int>(random() % (roll < 90 ? 4 : 150));
      for (int i = 0; i < ticks; ++i) {
        all([&](PollRun& r) {
          ++r.desktop.now;
          r.Tick(armed);
        });
        if (gated.poller.Buffer() != everyTick.poller.Buffer() ||
            gated.actions != everyTick.actions ||
            sleeping.poller.Buffer() != everyTick.poller.Buffer() ||
            sleeping.actions != everyTick.actions) {
          outcome.firstDifference = step;
          break;
        }
      }
    }
  }
  outcome.ticksSlept = sleeping.ticksSlept;
  outcome.wokenAsItSlept = sleeping.wokenAsItSlept;
  return outcome;
}

TEST(PollGateTest, SkippedAndSleptTicksChangeNoBufferAndNoHotkey) {
  const char* wanted = std::getenv("NOOKSHADE_GATE_SEEDS");
  const unsigned seeds = wanted != nullptr ? static_cast<unsigned>(std::atoi(wanted)) : 8u;
  int wokenAsItSlept = 0;
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    const Outcome outcome = RandomRun(seed, 4000);
    EXPECT_EQ(outcome.firstDifference, -1) << "seed " << seed;
    // A sleeper that never slept would prove nothing.
    EXPECT_GT(outcome.ticksSlept, 0) << "seed " << seed;
    wokenAsItSlept += outcome.wokenAsItSlept;
  }
  EXPECT_GT(wokenAsItSlept, 0) << "no key went down as the timer stopped";
}

TEST(PollGateTest, AnIdleArmedTickProbesNoKey) {
  PollRun run(Polling::Gated);
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

TEST(PollGateTest, AWakeProbesBeforeTheInputClockShowsTheInput) {
  PollRun run(Polling::Sleeping);
  run.desktop.now = 5000;
  run.desktop.lastInput = 4000;
  for (int i = 0; i < 20 && run.awake; ++i) run.Tick(true);
  ASSERT_FALSE(run.awake);
  run.desktop.PressKey('J');
  run.desktop.lastInput = 4000;  // told of, but not on the clock yet
  run.Tick(true);
  EXPECT_EQ(run.poller.Buffer(), "J");
}

}  // namespace
}  // namespace nookshade::test
