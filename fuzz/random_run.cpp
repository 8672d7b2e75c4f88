// The random run of the property test, driven by the fuzzer: it finds the
// event orders and stored values that seeds do not.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "random_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::string story, broken;
  nookshade::sim::RandomRun run(
      [&](std::uint32_t bound) { return in.ConsumeIntegralInRange<std::uint32_t>(0, bound - 1); },
      story);
  while (broken.empty() && in.remaining_bytes() > 0) broken = run.Step();
  if (broken.empty()) return 0;
  std::fprintf(stderr, "Broken promise: %s\n%s", broken.c_str(), story.c_str());
  std::abort();
}
