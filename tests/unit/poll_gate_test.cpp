// The poll timer skips ticks that cannot find a press (the gate), and sleeps
// until the next key or button event once it finds itself skipping. Three
// pollers, one probing on every tick, one gated and one that sleeps, are fed
// the same long random input on desktops of their own; they must fill the
// same buffers and fire the same hotkeys. NOOKSHADE_GATE_SEEDS=<n> runs n
// seeds instead of the usual few.

#include <random>

#include "hotkeys/hotkey_poller.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

// A poller on a desktop of its own, ticked as the panel ticks it. One that
// sleeps stops ticking once idle, until raw input tells of a key or button.
struct PollRun {
  PollRun(bool gated, bool sleeps) : sleeps(sleeps) {
    poller.gated = gated;
    poller.onMatch = [this](HotkeyAction action) { actions.push_back(action); };
    const WindowHandle window = desktop.AddWindow("poller", false);
    desktop.Find(window)->onInput = [this](int code, bool down) {
      down ? poller.KeyPressed(code) : poller.KeyReleased(code);
      poller.InputArrived();
      if (awake) return;
      awake = true;
      wokenAsItSlept += desktop.now == sleptAt;
    };
    desktop.WatchInput(window);
  }
  // While the panel is in sight a tick only notes it, for the next arming.
  void Tick(bool armed = true) {
    ++desktop.now;
    if (!awake) return;
    armed ? poller.Tick() : poller.Disarmed();
    awake = !(sleeps && armed && poller.Idle());
    sleptAt = desktop.now;
  }

  const bool sleeps;
  sim::SimDesktop desktop;
  // (Ctrl)h, (Shift)(Ctrl)(Space) and (Alt)k as the poller looks for them.
  const std::array<std::string, 3> keyStrings = {"\x11H", "\x10\x11 ", "\x12K"};
  HotkeyPoller poller{keyStrings, desktop};
  std::vector<HotkeyAction> actions;
  bool awake = true;
  std::uint32_t sleptAt = 0;
  int wokenAsItSlept = 0;  // by a key in the very millisecond the timer stopped
};

// Keys that make every rule of the scan happen: both sides of each
// modifier (three of them end a tick early), the hotkeys' letters, a key
// between them and the mouse buttons.
constexpr std::array<int, 15> kKeys = {1,  2,   4,   16,  32,  'H', 'J', 'K',
                                       91, 160, 161, 162, 163, 164, 165};

TEST(PollGateTest, SkippedAndSleptTicksChangeNoBufferAndNoHotkey) {
  const char* wanted = std::getenv("NOOKSHADE_GATE_SEEDS");
  const unsigned seeds = wanted != nullptr ? static_cast<unsigned>(std::atoi(wanted)) : 12u;
  int wokenAsItSlept = 0;
  std::size_t longestBuffer = 0;
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    std::array<PollRun, 3> runs = {PollRun(false, false), PollRun(true, false),
                                   PollRun(true, true)};
    for (PollRun& r : runs) {
      // Some runs start just before the clocks wrap round; some mark presses
      // as Wine does, and show each key in the key state only as late as
      // Wine may; in some another program takes every press bit.
      r.desktop.now = r.desktop.lastInput = seed % 2 == 0 ? 0u : 0xFFFFFF00u - seed;
      r.desktop.keyboardMode = seed / 2 % 2 == 0 ? sim::SimDesktop::KeyboardMode::Windows
                                                 : sim::SimDesktop::KeyboardMode::Wine;
      r.desktop.keyStateDelayMs = std::array<std::uint32_t, 3>{0, 20, 50}[seed % 3];
      r.desktop.pressBitsTaken = seed / 6 % 2 == 1;
    }
    const auto same = [&](const PollRun& r) {
      return r.poller.Buffer() == runs[0].poller.Buffer() && r.actions == runs[0].actions;
    };
    std::array<bool, 256> held{};
    bool armed = true;
    int step = 0;
    for (; step < 2500 && std::ranges::all_of(runs, same); ++step) {
      const unsigned roll = random() % 100;
      const int key = kKeys[random() % kKeys.size()];
      const std::uint32_t gap = random() % 1000;
      // A held key is at times pressed again: the keyboard repeating it.
      const bool press = !held[key] || roll % 5 == 0;
      if (roll < 3) armed = !armed;  // the panel shown or hidden again
      for (PollRun& r : runs) {
        if (roll >= 3 && roll < 27) press ? r.desktop.PressKey(key) : r.desktop.ReleaseKey(key);
        // Input that sets no press bit and wakes nobody.
        if (roll >= 27 && roll < 29) r.desktop.MovePointer();
        // A stall: the message loop was busy elsewhere and no tick came.
        if (roll >= 29 && roll < 34) r.desktop.now += gap;
      }
      if (roll >= 3 && roll < 27) held[key] = press;
      longestBuffer = std::max(longestBuffer, runs[0].poller.Buffer().size());
      const int ticks = roll < 34 ? 0 : 1 + static_cast<int>(gap % (roll < 90 ? 4 : 150));
      for (int i = 0; i < ticks && std::ranges::all_of(runs, same); ++i) {
        for (PollRun& r : runs) r.Tick(armed);
      }
    }
    EXPECT_TRUE(std::ranges::all_of(runs, same)) << "seed " << seed << ", step " << step;
    wokenAsItSlept += runs[2].wokenAsItSlept;
  }
  // A sleeper that never slept, or never just as a key went down, would
  // prove little.
  EXPECT_GT(wokenAsItSlept, 0);
  // Hours of typing cost no memory: the buffer keeps what can still complete
  // a hotkey, at most the three keys of the longest.
  EXPECT_LE(longestBuffer, 3u);
}

// After input the gate stays open until a probe has started 100 ms after it
// (Wine publishes a key's state up to 50 ms late), and for ten ticks, which
// may come late on a busy machine.
struct Settling {
  const char* name;
  std::uint32_t inputAt;
  bool onTheClock;  // or told of by raw input before the input clock shows it
  int ticks;
  std::uint32_t msApart;   // and from the input to the first
  std::uint32_t lastLate;  // ms the last tick comes after the one before
  bool lastProbes;
};

class SettlingTest : public ::testing::TestWithParam<Settling> {};

TEST_P(SettlingTest, TheGateShutsOnlyOnceTheKeyStateHasSettled) {
  const Settling& c = GetParam();
  PollRun run(true, false);
  run.desktop.now = run.desktop.lastInput = c.inputAt - 10'000;
  for (int i = 0; i < 20; ++i, run.desktop.now += 99) run.Tick();
  ASSERT_TRUE(run.poller.Idle());
  run.desktop.now = c.inputAt;
  c.onTheClock ? run.desktop.MovePointer() : run.poller.InputArrived();
  int probes = 0;
  run.desktop.beforeProbe = [&](int) { ++probes; };
  for (int i = 1; i <= c.ticks; ++i) {
    probes = 0;
    run.desktop.now += (i == c.ticks ? c.lastLate : c.msApart) - 1;  // Tick() adds one
    run.Tick();
  }
  EXPECT_EQ(probes > 0, c.lastProbes);
  EXPECT_EQ(run.poller.Idle(), !c.lastProbes);
}

constexpr std::uint32_t kSoon = 50'000, kBeforeWrap = 0xFFFFFFC0u, kAfterWrap = 0x20;

INSTANTIATE_TEST_SUITE_P(
    Ticks, SettlingTest,
    ::testing::Values(
        Settling{"ten ticks 300 ms apart", kSoon, true, 10, 300, 300, true},
        Settling{"eleven ticks 300 ms apart", kSoon, true, 11, 300, 300, false},
        Settling{"a hundred ticks 1 ms apart", kSoon, true, 100, 1, 1, true},
        Settling{"a hundred and one ticks", kSoon, true, 101, 1, 1, false},
        // A stalled loop: the key may have been published after
        // the last probe, so the late tick still probes.
        Settling{"ten quick ticks and a late one", kSoon, true, 11, 1, 300, true},
        Settling{"before the wrap, a hundred", kBeforeWrap, true, 100, 1, 1, true},
        Settling{"before the wrap, a hundred and one", kBeforeWrap, true, 101, 1, 1, false},
        Settling{"told of, after the wrap, ten", kAfterWrap, false, 10, 1, 1, true},
        Settling{"told of, after the wrap, eleven", kAfterWrap, false, 11, 1, 1, false}),
    NameOf<Settling>);

// A tick let run inside an action (a message loop that is no modal window
// of ours) acts on nothing: one press never runs two actions.
TEST(PollActingTest, ATickInsideAnActionActsOnNothing) {
  PollRun run(false, false);
  run.poller.onMatch = [&run](HotkeyAction action) {
    run.actions.push_back(action);
    if (run.actions.size() > 1) return;
    run.desktop.PressKey('H');
    run.Tick();
  };
  run.desktop.PressKey(sim::kLCtrl);
  run.Tick();
  run.desktop.PressKey('H');
  run.Tick();
  EXPECT_EQ(run.actions.size(), 1u);
}

// Where raw input cannot be registered, the gated timer goes on ticking.
class PollSleepTest : public SimTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PollSleepTest, TheTimerSleepsOnlyWithRawInputAndAKeyWakesIt) {
  const bool rawInput = GetParam();
  desktop.rawInputRegisters = rawInput;
  StartArmed();
  const WindowHandle notes = Window("Notes");
  Play("idle");
  EXPECT_EQ(desktop.TimerRunning(TimerId::HotkeyPoll), !rawInput);
  // The debug log says why the timer never sleeps, once.
  EXPECT_EQ(std::ranges::count_if(desktop.log,
                                  [](const std::string& line) {
                                    return line.find("raw input") != std::string::npos;
                                  }),
            rawInput ? 0 : 1);
  desktop.now += 3'600'000;  // an hour later
  PressTicks({{kLCtrl}, {'H'}});
  EXPECT_FALSE(Visible(notes));
  Play("idle");
  // Let go of, the keys count when pressed again, raw input telling or not.
  const WindowHandle more = Window("More");
  PressTicks({{kLCtrl}, {'H'}});
  EXPECT_FALSE(Visible(more));
  panel().Unload();
  desktop.PressKey('J');
  EXPECT_FALSE(desktop.TimerRunning(TimerId::HotkeyPoll)) << "input after the unload woke it";
}

INSTANTIATE_TEST_SUITE_P(RawInput, PollSleepTest, ::testing::Bool());

TEST_F(SimTest, AHotkeyPressedWhileRawInputIsRegisteredIsNotSleptOver) {
  desktop.whileRegistering = [this] {
    desktop.PressKey(kLCtrl);
    desktop.PressKey('H');
  };
  Play("armed; open A; idle");
  EXPECT_EQ(Summary(), "hidden A, icons 2");
}

}  // namespace
}  // namespace nookshade::test
