// A keystroke's cost after a long history of keystrokes that match no
// hotkey. The poll buffer keeps only what can still complete a hotkey, so
// the cost should not depend on how much was typed before.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "armed_panel.h"

namespace nookshade::bench {
namespace {

// Keys in none of the default hotkeys ((Ctrl)h, (Ctrl)(Space), (Ctrl)k).
constexpr std::array<int, 7> kUnmatchedKeys = {'A', 'B', 'C', 'D', 'E', 'F', 'G'};
constexpr std::int64_t kMeasuredKeystrokes = 2000;

struct Typist {
  ArmedPanel p;
  std::int64_t typed = 0;
  void Type() {
    p.Keystroke(kUnmatchedKeys[static_cast<std::size_t>(typed) % kUnmatchedKeys.size()]);
    ++typed;
  }
};

// A history of `history` keystrokes, made once and reused while the
// measured keystrokes added to it stay within 5 % of it: typing a million
// keys takes seconds, and the repetitions would otherwise repeat it.
Typist& TypistAfter(std::int64_t history) {
  static std::map<std::int64_t, std::unique_ptr<Typist>> typists;
  std::unique_ptr<Typist>& typist = typists[history];
  if (!typist || typist->typed - history + kMeasuredKeystrokes > history / 20) {
    typist = std::make_unique<Typist>();
    while (typist->typed < history) typist->Type();
  }
  return *typist;
}

void BM_KeystrokeAfterHistory(benchmark::State& state) {
  Typist& typist = TypistAfter(state.range(0));
  const std::uint64_t before = AllocationCount();
  for (auto _ : state) typist.Type();
  state.counters["allocs_per_keystroke"] = benchmark::Counter(
      static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
  state.counters["buffer_bytes"] = static_cast<double>(typist.p.panel().PollBuffer().size());
}
BENCHMARK(BM_KeystrokeAfterHistory)
    ->ArgName("history")
    ->Arg(10)
    ->Arg(10'000)
    ->Arg(1'000'000)
    ->Iterations(kMeasuredKeystrokes)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace nookshade::bench
