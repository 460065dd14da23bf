#include "audio_file/wave_writer.h"

#include <cstring>

namespace {

void putLe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void putLe32(uint8_t* p, uint32_t v) {
    putLe16(p, uint16_t(v));
    putLe16(p + 2, uint16_t(v >> 16));
}

}  // namespace

std::array<uint8_t, kConvertedHeaderBytes> convertedWaveHeader(const SampleFormat& pcm, uint32_t dataBytes) {
    std::array<uint8_t, kConvertedHeaderBytes> h{};
    uint8_t* p = h.data();
    std::memcpy(p, "RIFF", 4);
    putLe32(p + 4, kConvertedHeaderBytes - 8 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    putLe32(p + 16, 18);
    putLe16(p + 20, pcm.formatTag);
    putLe16(p + 22, pcm.channels);
    putLe32(p + 24, pcm.samplesPerSecond);
    putLe32(p + 28, pcm.averageBytesPerSecond);
    putLe16(p + 32, pcm.blockAlign);
    putLe16(p + 34, pcm.bitsPerSample);
    putLe16(p + 36, 0);  // no extension
    std::memcpy(p + 38, "data", 4);
    putLe32(p + 42, dataBytes);
    return h;
}
