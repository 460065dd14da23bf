#pragma once
// The WAVE file a conversion writes: "RIFF", "WAVE", an 18-byte PCM "fmt "
// and "data", the sizes filled in at the end.
#include <cstdint>

constexpr uint32_t kConvertedHeaderBytes = 46;
