// The poll tick while armed: idle, with a press that matches nothing, and
// with the press that completes each hotkey (the action included).

#include <benchmark/benchmark.h>

#include <string>

#include "armed_panel.h"
#include "hotkeys/hotkey_poller.h"
#include "sim_desktop.h"

namespace nookshade::bench {
namespace {

void ReportAllocations(benchmark::State& state, std::uint64_t allocations) {
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// A tick with no input, where raw input cannot be registered and the
// timer goes on ticking: what such an armed program does almost all the
// time. With raw input the timer stops instead, and an idle program runs
// no tick at all.
void BM_IdleArmedTick(benchmark::State& state) {
  ArmedPanel p;
  p.desktop.rawInputRegisters = false;  // asked at the first idle tick
  p.Settle();
  if (!p.desktop.TimerRunning(TimerId::HotkeyPoll)) state.SkipWithError("the timer stopped");
  const std::uint64_t before = AllocationCount();
  for (auto _ : state) p.Tick();
  ReportAllocations(state, AllocationCount() - before);
  if (!p.panel().PollBuffer().empty()) state.SkipWithError("an idle tick appended a key");
}
BENCHMARK(BM_IdleArmedTick);

// A key that is part of no hotkey goes down: the tick probes every code,
// appends the key and runs the dispatcher.
void BM_TickWithUnmatchedPress(benchmark::State& state) {
  ArmedPanel p;
  p.Settle();
  const std::uint64_t before = AllocationCount();
  for (auto _ : state) p.Keystroke('Q');
  ReportAllocations(state, AllocationCount() - before);
  if (p.panel().PollBuffer().find('Q') == std::string::npos)
    state.SkipWithError("the press was not appended");
}
BENCHMARK(BM_TickWithUnmatchedPress);

// The default hotkeys: right Ctrl (read as Ctrl) and then the last key.
struct HotkeyCase {
  int lastKey;
  // Whether the action visibly happened, and how to take it back so that
  // the next iteration starts from the same desktop.
  bool (*acted)(ArmedPanel&, WindowHandle notes);
  void (*undo)(ArmedPanel&, WindowHandle notes);
};

const HotkeyCase kHideWindow{
    'H', [](ArmedPanel& p, WindowHandle notes) { return !p.desktop.IsWindowVisible(notes); },
    [](ArmedPanel& p, WindowHandle notes) {
      // A double-click on the window's icon, which sits in slot 1 (the
      // panel holds slot 0).
      p.panel().IconDoubleClicked(1);
      p.desktop.SetForeground(notes);
    }};
const HotkeyCase kHideAll{
    kSpace, [](ArmedPanel& p, WindowHandle notes) { return !p.desktop.IsWindowVisible(notes); },
    [](ArmedPanel& p, WindowHandle notes) {
      p.panel().ToggleHideAll();
      p.desktop.SetForeground(notes);
    }};
const HotkeyCase kFakeWork{'K',
                           [](ArmedPanel& p, WindowHandle) { return p.panel().FakeWorkShown(); },
                           [](ArmedPanel& p, WindowHandle notes) {
                             p.panel().ToggleFakeWork();
                             p.desktop.SetForeground(notes);
                           }};

// Ten visible titled windows (one of them in front), three of them chosen
// as fake work. Each iteration holds Ctrl in an untimed tick, then times
// the tick that sees the last key and runs the action.
void BM_TickCompletingHotkey(benchmark::State& state, const HotkeyCase& hotkey) {
  ArmedPanel p;
  for (int i = 0; i < 3; ++i) p.PickFakeWork(i, p.desktop.AddWindow("Sheet " + std::to_string(i)));
  for (int i = 0; i < 6; ++i) p.desktop.AddWindow("Window " + std::to_string(i));
  const WindowHandle notes = p.desktop.AddWindow("Notes");
  p.desktop.SetForeground(notes);
  p.Settle();
  std::uint64_t allocations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    p.desktop.PressKey(kRightCtrl);
    p.Tick();
    p.desktop.PressKey(hotkey.lastKey);
    state.ResumeTiming();
    const std::uint64_t before = AllocationCount();
    p.Tick();
    allocations += AllocationCount() - before;
    state.PauseTiming();
    if (!hotkey.acted(p, notes)) {
      state.SkipWithError("the hotkey did not act");
      break;
    }
    p.desktop.ReleaseKey(hotkey.lastKey);
    p.desktop.ReleaseKey(kRightCtrl);
    hotkey.undo(p, notes);
    p.ForgetRecords();
    state.ResumeTiming();
  }
  ReportAllocations(state, allocations);
}
BENCHMARK_CAPTURE(BM_TickCompletingHotkey, hide_window, kHideWindow);
BENCHMARK_CAPTURE(BM_TickCompletingHotkey, hide_all, kHideAll);
BENCHMARK_CAPTURE(BM_TickCompletingHotkey, fake_work, kFakeWork);

// The poller alone on an idle desktop, gated (the program's setting) and
// probing every key code on every tick (what the gate saves).
void BM_PollerIdleTick(benchmark::State& state) {
  sim::SimDesktop desktop;
  // (Ctrl)h, (Ctrl)(Space) and (Ctrl)k as the poller looks for them.
  const std::array<std::string, 3> keyStrings = {"\x11H", "\x11 ", "\x11K"};
  HotkeyPoller poller(keyStrings, desktop);
  poller.gated = state.range(0) == 1;
  desktop.now = 1000;
  const std::uint64_t before = AllocationCount();
  for (auto _ : state) {
    ++desktop.now;
    poller.Tick();
  }
  ReportAllocations(state, AllocationCount() - before);
}
BENCHMARK(BM_PollerIdleTick)->ArgName("gated")->Arg(1)->Arg(0);

}  // namespace
}  // namespace nookshade::bench
