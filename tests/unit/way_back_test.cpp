// One property over random runs: after every event, every window the program
// hid has a way back, and a closed program has given back everything.
// NOOKSHADE_RANDOM_RUNS=<n> tries n seeds instead of the usual few.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "random_session.h"

namespace nookshade::test {
namespace {

// What broke first in the run of this seed cut after `steps` events, or "".
std::string RunOf(unsigned seed, int steps, std::string& story) {
  std::mt19937 random(seed);
  story.clear();
  sim::RandomRun run([&](std::uint32_t bound) { return random() % bound; }, story);
  std::string broken;
  for (int i = 0; i < steps && broken.empty(); ++i) broken = run.Step();
  return broken;
}

TEST(WayBackTest, NoWindowTheProgramHidIsEverWithoutAWayBack) {
  const char* runs = std::getenv("NOOKSHADE_RANDOM_RUNS");
  const unsigned seeds = runs != nullptr ? static_cast<unsigned>(std::atoi(runs)) : 250;
  std::string story;
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    if (RunOf(seed, 80, story).empty()) continue;
    // The shortest run of this seed that fails tells the story.
    int steps = 1;
    while (RunOf(seed, steps, story).empty()) ++steps;
    const std::string broken = RunOf(seed, steps, story);
    FAIL() << "seed " << seed << ", " << steps << " events: " << broken << "\n" << story;
  }
}

}  // namespace
}  // namespace nookshade::test
