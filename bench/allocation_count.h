#pragma once
// Heap allocations made by the whole benchmark process so far, counted by
// the global operator new that the benchmark binary puts in place of the
// library's (main.cpp).

#include <cstdint>

namespace nookshade::bench {

std::uint64_t AllocationCount();

}  // namespace nookshade::bench
