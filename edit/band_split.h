#pragma once
// The band split's low-pass of one channel of workSamples, in its two
// designs: a windowed sinc for the four highest cutoffs, a block transform
// (overlap and discard) for the four lowest.
#include <cstddef>
#include <cstdint>

#include "audio_file/sample_value.h"
#include "spectrum/transform.h"

constexpr int32_t kBandIndexCount = 16;
constexpr int kFirstBlockDesign = 4;

// 0-7 edit the high band, 8-15 the low band; both halves share the designs.
constexpr bool isHighBand(int32_t index) { return index < 8; }
constexpr int bandDesign(int32_t index) { return int(index % 8); }
// Sinc designs: taps on each side of the centre, 4 x 2^d.
constexpr int sincHalfLength(int design) { return 4 << design; }
// Block designs: the transform's order, N = 2^(d + 4).
constexpr int blockOrder(int design) { return design + 4; }

// One channel of a working buffer: frame k (negative in the leading margin)
// at slots[first + k x stride].
struct ChannelSlots {
    const SampleValue* slots = nullptr;
    size_t first = 0;
    size_t stride = 1;
};

// LP[k] for k = 0 ... n (sinc) or up to the last block's end, at most N/4
// past n (block). Reads at most 32 frames before the stretch and 1,023 after.
void lowPassSinc(const ChannelSlots& x, uint32_t n, int design, TransformBuffers& buffers, SampleValue* lp);
void lowPassBlock(const ChannelSlots& x, uint32_t n, int design, const SpectrumTables& tables,
                  TransformBuffers& buffers, SampleValue* lp);
void lowPass(const ChannelSlots& x, uint32_t n, int design, const SpectrumTables& tables, TransformBuffers& buffers,
             SampleValue* lp);
