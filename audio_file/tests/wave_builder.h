#pragma once
// Hand-made RIFF files: any chunk order, any size field, any damage.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct FmtFields {
    uint16_t tag = 1;
    uint16_t channels = 2;
    uint32_t rate = 44100;
    uint32_t average = 44100 * 4;
    uint16_t align = 4;
    uint16_t bits = 16;
};
FmtFields pcmFormat(uint16_t channels, uint16_t bits, uint32_t rate = 44100);

// A chunk with its pad byte after an odd payload. sizeField overrides the size.
Bytes chunk(const char (&id)[5], const Bytes& payload, int64_t sizeField = -1);
// "fmt " payload of `length` bytes (16, 18, 40...; the extra bytes are zero).
Bytes fmtPayload(const FmtFields& f, size_t length = 16);
// The 40-byte extensible "fmt " payload tools write: tag 0xFFFE, cbSize 22,
// valid bits = container bits, the mask, the PCM sub-format.
Bytes extensibleFmtPayload(FmtFields f, uint32_t channelMask = 0);
// "RIFF" size "WAVE" + chunks; riffSize -1 = the true size.
Bytes riffFile(std::initializer_list<Bytes> chunks, int64_t riffSize = -1);
// Deterministic sample bytes (not silence) of `bytes` length.
Bytes pattern(size_t bytes, uint8_t seed = 1);
// A canonical file: 44-byte header and `frames` frames of pattern data.
Bytes simpleWave(uint16_t channels, uint16_t bits, uint32_t frames, uint32_t rate = 44100);

uint32_t getLe32(const Bytes& b, size_t at);
Bytes concat(std::initializer_list<Bytes> parts);
