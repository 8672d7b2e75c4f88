// Hiding every window at once and showing them again, and the check that
// the fake-work slots' windows still exist, over desktops of many windows.

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "armed_panel.h"

namespace nookshade::bench {
namespace {

// N eligible windows (visible, titled, top-level). The fake work is not
// shown along (that option off): its own check is measured below.
struct CrowdedDesktop {
  explicit CrowdedDesktop(int windows) {
    for (int i = 0; i < windows; ++i) p.desktop.AddWindow("Window " + std::to_string(i));
  }
  ArmedPanel p{{setting::kLaunchFakeWork, "0"}};
};

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One iteration hides every window and shows them again; the counters split
// the time between the two halves. (Pausing the timer around one half
// instead would leave the other half's cost unbounded: the simulated desktop
// takes a tenth of a second to hide a thousand windows.)
void BM_HideAllWindows(benchmark::State& state) {
  CrowdedDesktop crowd(static_cast<int>(state.range(0)));
  Panel& panel = crowd.p.panel();
  double hideSeconds = 0;
  double showSeconds = 0;
  for (auto _ : state) {
    const double start = ThreadCpuSeconds();
    panel.ToggleHideAll();
    const double hidden = ThreadCpuSeconds();
    if (!panel.AllHidden()) state.SkipWithError("the windows were not hidden");
    panel.ToggleHideAll();
    showSeconds += ThreadCpuSeconds() - hidden;
    hideSeconds += hidden - start;
    crowd.p.ForgetRecords();
  }
  const auto perIteration = [](double seconds) {
    return benchmark::Counter(seconds * 1e6, benchmark::Counter::kAvgIterations);
  };
  state.counters["hide_us"] = perIteration(hideSeconds);
  state.counters["show_us"] = perIteration(showSeconds);
}
BENCHMARK(BM_HideAllWindows)->ArgName("windows")->Arg(10)->Arg(100)->Arg(1000);

// Three slots whose windows sit at the bottom of the Z order, below the
// other windows: the search for each title goes through all of them at
// every press of the fake-work hotkey.
void BM_ToggleFakeWork(benchmark::State& state) {
  ArmedPanel p;
  for (int i = 0; i < 3; ++i) p.PickFakeWork(i, p.desktop.AddWindow("Sheet " + std::to_string(i)));
  for (int i = 3; i < state.range(0); ++i) p.desktop.AddWindow("Window " + std::to_string(i));
  const std::uint64_t before = AllocationCount();
  for (auto _ : state) p.panel().ToggleFakeWork();
  state.counters["allocs_per_call"] = benchmark::Counter(
      static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
  if (p.panel().FindTextBox(ControlId::fakeWork1)->Text() != "Sheet 0") {
    state.SkipWithError("a slot lost its window");
  }
}
BENCHMARK(BM_ToggleFakeWork)->ArgName("windows")->Arg(1000);

}  // namespace
}  // namespace nookshade::bench
