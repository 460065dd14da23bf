#pragma once
// MPEG-1, MPEG-2 and MPEG-2.5 Layer III frame headers: the standard's tables
// and the length of a frame.
#include <cstdint>

enum class MpegVersion : uint8_t { mpeg1, mpeg2, mpeg25 };

struct FrameHeader {
    MpegVersion version = MpegVersion::mpeg1;
    uint32_t bitRate = 0;  // kbit/s
    uint32_t sampleRate = 0;
    uint16_t channels = 0;  // 1 for single channel, else 2
    bool padding = false;
    uint32_t length = 0;  // bytes of the whole frame, padding included
};

// The 4 bytes at `b` as a Layer III header; false for anything else (free
// format and bit-rate index 15, reserved version or rate, private bit,
// emphasis 2 included).
bool parseFrameHeader(const uint8_t* b, FrameHeader& header);

// The Layer III bit rate (kbit/s) of a bit-rate index; MPEG-2 and 2.5 share
// one row. 0 for free format and the forbidden index 15.
uint32_t layer3BitRate(MpegVersion version, unsigned index);

// Frame length for a bit rate at a rate: 144000 (MPEG-1) or 72000 bytes per
// kbit/s per hertz, plus the padding byte.
uint32_t frameLength(MpegVersion version, uint32_t bitRate, uint32_t sampleRate, bool padding);

// The version whose sample-rate row holds `sampleRate`; false for a rate
// outside the nine of the standard.
bool versionOfRate(uint32_t sampleRate, MpegVersion& version);

// PCM sample frames one MPEG frame decodes to: 1152, or 576 below 32 kHz.
uint32_t samplesPerFrame(uint32_t sampleRate);

// Whether the header at `b` continues the stream whose first header is
// `first`: the same second byte apart from the protection bit.
inline bool continuesStream(const uint8_t* b, const uint8_t* first) {
    return b[0] == 0xFF && (b[1] | 1) == (first[1] | 1);
}
