#include "audio_file/sample_access.h"

SampleValue readSample(const uint8_t* buffer, uint32_t offset, uint32_t bps) {
    const uint8_t* p = buffer + offset;
    if (bps == 2) return readSampleAs<2>(p);
    if (bps == 3) return readSampleAs<3>(p);
    return readSampleAs<1>(p);
}

void writeSample(uint8_t* buffer, uint32_t offset, SampleValue v, uint32_t bps) {
    uint8_t* p = buffer + offset;
    if (bps == 1) writeSampleAs<1>(p, v);
    if (bps == 2) writeSampleAs<2>(p, v);
    if (bps == 3) writeSampleAs<3>(p, v);
}
