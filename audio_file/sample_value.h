#pragma once
#include <cstdint>

// One sample of one channel scaled to 24 bits; all sample arithmetic uses it.
using SampleValue = std::int32_t;
