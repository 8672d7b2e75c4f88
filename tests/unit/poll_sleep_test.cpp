// While armed, the poll timer stops once nothing can be found, and a key or
// mouse-button event anywhere in the session starts it again.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

// Far more ticks than any settling takes.
constexpr int kEnoughTicks = 1000;

class PollSleepTest : public SimTest {
 protected:
  void StartArmedByAutoStart() {
    StartArmed();
    notes = Window("Notes");
  }
  bool Asleep() const { return !desktop.TimerRunning(TimerId::HotkeyPoll); }
  // True once the timer has stopped itself.
  bool TickUntilAsleep() {
    for (int i = 0; i < kEnoughTicks && !Asleep(); ++i) Tick();
    return Asleep();
  }
  // A tick so many milliseconds after the previous one.
  void TickAfter(std::uint32_t ms) {
    desktop.now += ms - 1;  // the timer's own millisecond comes with the tick
    Tick();
  }

  WindowHandle notes = 0;
};

struct Settling {
  const char* name;
  std::vector<std::uint32_t> msBetweenTicks;  // after a key went down
  bool asleep;
};

class SettlingTest : public PollSleepTest, public ::testing::WithParamInterface<Settling> {};

TEST_P(SettlingTest, TheTimerStopsOnlyOnceTheKeyStateHasSettled) {
  StartArmedByAutoStart();
  ASSERT_TRUE(TickUntilAsleep());
  desktop.Tap('J');
  ASSERT_FALSE(Asleep());
  for (const std::uint32_t ms : GetParam().msBetweenTicks) TickAfter(ms);
  EXPECT_EQ(Asleep(), GetParam().asleep);
}

std::vector<std::uint32_t> Gaps(std::size_t count, std::uint32_t ms,
                                std::vector<std::uint32_t> then = {}) {
  std::vector<std::uint32_t> gaps(count, ms);
  gaps.insert(gaps.end(), then.begin(), then.end());
  return gaps;
}

INSTANTIATE_TEST_SUITE_P(Ticks, SettlingTest,
                         ::testing::Values(
                             // At Wine's pace: the ten ticks of the settling, then 100 ms after
                             // the key the gate shuts.
                             Settling{"ten ticks 10 ms apart", Gaps(10, 10), false},
                             Settling{"eleven ticks 10 ms apart", Gaps(11, 10), true},
                             // At Windows' pace the 100 ms decide.
                             Settling{"a hundred ticks 1 ms apart", Gaps(100, 1), false},
                             Settling{"a hundred and one ticks 1 ms apart", Gaps(101, 1), true},
                             // A stalled loop: the key may have been published after the last
                             // probe, so the late tick still probes.
                             Settling{"ten quick ticks and a late one", Gaps(10, 1, {300}), false},
                             Settling{"ten quick ticks, a late one and one more",
                                      Gaps(10, 1, {300, 1}), true}),
                         NameOf<Settling>);

TEST_F(PollSleepTest, AHotkeyAfterAnHourAsleepActsOnTheFirstTick) {
  StartArmedByAutoStart();
  ASSERT_TRUE(TickUntilAsleep());
  desktop.now += 3'600'000;
  desktop.PressKey(kLCtrl);
  Tick();
  ASSERT_TRUE(TickUntilAsleep());  // with Ctrl held
  desktop.now += 3'600'000;
  desktop.PressKey('H');
  Tick();
  EXPECT_FALSE(desktop.IsWindowVisible(notes));
}

TEST_F(PollSleepTest, AKeyInTheMillisecondTheTimerStopsStartsItAgain) {
  StartArmedByAutoStart();
  desktop.PressKey(kLCtrl);
  ASSERT_TRUE(TickUntilAsleep());
  desktop.PressKey('H');  // no time has passed since that tick
  Tick();
  EXPECT_FALSE(desktop.IsWindowVisible(notes));
}

TEST_F(PollSleepTest, InputIsWatchedOnlyOnceArmedAndIdle) {
  session.Start();
  for (int i = 0; i < kEnoughTicks; ++i) Tick();
  EXPECT_FALSE(Asleep()) << "the panel in sight";
  EXPECT_EQ(desktop.InputWatcher(), 0);
  panel().Clicked(ControlId::startButton);
  ASSERT_TRUE(TickUntilAsleep());
  EXPECT_EQ(desktop.InputWatcher(), session.PanelWindow());
}

TEST_F(PollSleepTest, WithoutRawInputTheTimerGoesOnAndTheLogSaysSo) {
  desktop.rawInputRegisters = false;
  StartArmedByAutoStart();
  for (int i = 0; i < kEnoughTicks; ++i) Tick();
  EXPECT_FALSE(Asleep());
  EXPECT_EQ(std::count_if(desktop.log.begin(), desktop.log.end(),
                          [](const std::string& line) {
                            return line.find("raw input") != std::string::npos;
                          }),
            1);
  desktop.PressKey(kLCtrl);
  Tick();
  desktop.PressKey('H');
  Tick();
  EXPECT_FALSE(desktop.IsWindowVisible(notes));
}

TEST_F(PollSleepTest, InputAfterTheUnloadStartsNoTimer) {
  StartArmedByAutoStart();
  ASSERT_TRUE(TickUntilAsleep());
  panel().Unload();
  desktop.PressKey('J');
  EXPECT_TRUE(Asleep());
}

}  // namespace
}  // namespace nookshade::test
