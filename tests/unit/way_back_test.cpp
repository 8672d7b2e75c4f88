// One property over random runs: after every event, every window the program
// hid has a way back (its record in the recovery journal, its slot's icon),
// and closing the program gives back everything.
// NOOKSHADE_RANDOM_RUNS=<n> tries n seeds instead of the usual few.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "random_session.h"

namespace nookshade::test {
namespace {

constexpr int kSteps = 60;

// The first broken promise of the run of this seed cut after `steps` events.
std::string RunOf(unsigned seed, int steps, std::string* story = nullptr) {
  std::mt19937 random(seed);
  sim::RandomSession session([&](std::uint32_t bound) { return random() % bound; });
  std::string broken;
  for (int i = 0; i < steps && broken.empty(); ++i) broken = session.Step();
  if (broken.empty()) broken = session.Finish();
  if (story != nullptr) *story = session.Story();
  return broken;
}

TEST(WayBackTest, NoWindowTheProgramHidIsEverWithoutAWayBack) {
  const char* runs = std::getenv("NOOKSHADE_RANDOM_RUNS");
  const unsigned seeds = runs != nullptr ? static_cast<unsigned>(std::atoi(runs)) : 300;
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    if (RunOf(seed, kSteps).empty()) continue;
    // The shortest run of this seed that fails tells the story.
    int steps = 1;
    while (RunOf(seed, steps).empty()) ++steps;
    std::string story;
    const std::string broken = RunOf(seed, steps, &story);
    FAIL() << "seed " << seed << ", " << steps << " events: " << broken << "\n" << story;
  }
}

}  // namespace
}  // namespace nookshade::test
