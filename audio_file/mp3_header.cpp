#include "audio_file/mp3_header.h"

#include <array>
#include <cstddef>

namespace {

// Layer III bit rates in kbit/s by index; 0 is free format, 15 is forbidden.
constexpr std::array<uint16_t, 16> kBitRatesMpeg1 = {0,   32,  40,  48,  56,  64,  80,  96,
                                                     112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<uint16_t, 16> kBitRatesMpeg2 = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr std::array<std::array<uint32_t, 3>, 3> kSampleRates = {{
    {44100, 48000, 32000},  // MPEG-1
    {22050, 24000, 16000},  // MPEG-2
    {11025, 12000, 8000},   // MPEG-2.5
}};

}  // namespace

bool parseFrameHeader(const uint8_t* b, FrameHeader& header) {
    if (b[0] != 0xFF || b[1] < 0xE0) return false;
    const unsigned versionBits = (b[1] >> 3) & 3u;
    const unsigned layerBits = (b[1] >> 1) & 3u;
    const unsigned bitRateIndex = b[2] >> 4;
    const unsigned rateIndex = (b[2] >> 2) & 3u;
    const bool privateBit = (b[2] & 1u) != 0;
    const unsigned emphasis = b[3] & 3u;
    if (versionBits == 1 || layerBits != 1 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3 || privateBit ||
        emphasis == 2)
        return false;
    FrameHeader h;
    h.version = versionBits == 3 ? MpegVersion::mpeg1 : versionBits == 2 ? MpegVersion::mpeg2 : MpegVersion::mpeg25;
    h.bitRate = layer3BitRate(h.version, bitRateIndex);
    h.sampleRate = kSampleRates[size_t(h.version)][rateIndex];
    h.channels = (b[3] >> 6) == 3 ? 1 : 2;
    h.padding = ((b[2] >> 1) & 1u) != 0;
    h.length = frameLength(h.version, h.bitRate, h.sampleRate, h.padding);
    header = h;
    return true;
}

uint32_t layer3BitRate(MpegVersion version, unsigned index) {
    return (version == MpegVersion::mpeg1 ? kBitRatesMpeg1 : kBitRatesMpeg2)[index & 15u];
}

uint32_t frameLength(MpegVersion version, uint32_t bitRate, uint32_t sampleRate, bool padding) {
    const uint32_t perKbit = version == MpegVersion::mpeg1 ? 144000 : 72000;
    return uint32_t(uint64_t(bitRate) * perKbit / sampleRate) + (padding ? 1 : 0);
}

bool versionOfRate(uint32_t sampleRate, MpegVersion& version) {
    for (size_t row = 0; row < kSampleRates.size(); ++row)
        for (uint32_t rate : kSampleRates[row])
            if (rate == sampleRate) {
                version = MpegVersion(row);
                return true;
            }
    return false;
}

uint32_t samplesPerFrame(uint32_t sampleRate) { return sampleRate < 32000 ? 576 : 1152; }
