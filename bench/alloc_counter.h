#pragma once
// Counts heap allocations so a benchmark can show that a hot path makes none.
#include <atomic>
#include <cstddef>

extern std::atomic<long> gAllocations;
