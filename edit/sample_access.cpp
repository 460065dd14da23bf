#include "edit/sample_access.h"

SampleValue readSample(const uint8_t* buffer, uint32_t offset, uint32_t bps) {
    const uint8_t* p = buffer + offset;
    if (bps == 2) return SampleValue(int16_t(uint16_t(p[0] | p[1] << 8))) * 256;
    if (bps == 3) {
        const uint32_t t = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        return SampleValue(t ^ 0x800000u) - 0x800000;  // sign-extend 24 bits
    }
    return (SampleValue(p[0]) - 128) * 65536;
}

void writeSample(uint8_t* buffer, uint32_t offset, SampleValue v, uint32_t bps) {
    uint8_t* p = buffer + offset;
    // Arithmetic shifts: the dropped low bits go toward minus infinity.
    if (bps == 1) {
        p[0] = uint8_t((v >> 16) + 128);
    } else if (bps == 2) {
        p[0] = uint8_t(v >> 8);
        p[1] = uint8_t(v >> 16);
    } else if (bps == 3) {
        p[0] = uint8_t(v);
        p[1] = uint8_t(v >> 8);
        p[2] = uint8_t(v >> 16);
    }
}
