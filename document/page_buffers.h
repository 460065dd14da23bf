#pragma once
// The working copies of the page-2 stretch. Allocated once for the program's
// life; nothing here is allocated per page or per edit.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "audio_file/file_image.h"
#include "audio_file/sample_value.h"

constexpr size_t kWorkSlots = 1319936;  // 2048 + 2 x 657,920 + trailing margin
constexpr int64_t kWorkMargin = 2048;   // slots before the stretch
constexpr uint32_t kFrameArrayLength = kPageBufferFrames;

struct PageBuffers {
    std::unique_ptr<SampleValue[]> workSamples;     // what pages 2-5 show and the tools change
    std::unique_ptr<SampleValue[]> scratchSamples;  // a tool's result before it is accepted
    std::unique_ptr<SampleValue[]> complementBand;  // per frame: the band not being edited
    std::unique_ptr<SampleValue[]> splitBand;
    uint32_t workOrigin = 0;  // image offset of the stretch's first frame

    bool allocate();
    bool allocated() const { return workSamples != nullptr; }
};

// The slot of image offset q. The difference is signed: filters read a little
// before the stretch, and an unsigned one would wrap far past the array.
inline size_t slotOf(uint32_t q, uint32_t workOrigin, uint32_t bps) {
    const int64_t slot = kWorkMargin + (int64_t(q) - int64_t(workOrigin)) / int64_t(bps);
    assert(slot >= 0 && slot < int64_t(kWorkSlots));
    return size_t(slot);
}
