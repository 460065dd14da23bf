#include "document/page_buffers.h"

#include <new>

namespace {
std::unique_ptr<SampleValue[]> zeroed(size_t n) {
    return std::unique_ptr<SampleValue[]>(new (std::nothrow) SampleValue[n]());
}
}  // namespace

bool PageBuffers::allocate() {
    if (allocated()) return true;
    workSamples = zeroed(kWorkSlots);
    scratchSamples = zeroed(kWorkSlots);
    complementBand = zeroed(kFrameArrayLength);
    splitBand = zeroed(kFrameArrayLength);
    if (workSamples && scratchSamples && complementBand && splitBand) return true;
    workSamples.reset();
    scratchSamples.reset();
    complementBand.reset();
    splitBand.reset();
    return false;
}
