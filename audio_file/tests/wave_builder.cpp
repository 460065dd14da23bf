#include "audio_file/tests/wave_builder.h"

namespace {
void appendLe(Bytes& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
}  // namespace

FmtFields pcmFormat(uint16_t channels, uint16_t bits, uint32_t rate) {
    FmtFields f;
    f.channels = channels;
    f.bits = bits;
    f.rate = rate;
    f.align = uint16_t(channels * bits / 8);
    f.average = rate * f.align;
    return f;
}

Bytes chunk(const char (&id)[5], const Bytes& payload, int64_t sizeField) {
    Bytes b(id, id + 4);
    appendLe(b, sizeField < 0 ? uint32_t(payload.size()) : uint32_t(sizeField), 4);
    b.insert(b.end(), payload.begin(), payload.end());
    if (payload.size() % 2) b.push_back(0);
    return b;
}

Bytes fmtPayload(const FmtFields& f, size_t length) {
    Bytes b;
    appendLe(b, f.tag, 2);
    appendLe(b, f.channels, 2);
    appendLe(b, f.rate, 4);
    appendLe(b, f.average, 4);
    appendLe(b, f.align, 2);
    appendLe(b, f.bits, 2);
    b.resize(length, 0);
    return b;
}

Bytes extensibleFmtPayload(FmtFields f, uint32_t channelMask) {
    f.tag = 0xFFFE;
    Bytes b = fmtPayload(f);
    appendLe(b, 22, 2);
    appendLe(b, f.bits, 2);
    appendLe(b, channelMask, 4);
    const Bytes pcm{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), pcm.begin(), pcm.end());
    return b;
}

Bytes riffFile(std::initializer_list<Bytes> chunks, int64_t riffSize) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    appendLe(b, riffSize < 0 ? uint32_t(body.size()) : uint32_t(riffSize), 4);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes pattern(size_t bytes, uint8_t seed) {
    Bytes b(bytes);
    uint32_t x = 2463534242u ^ seed;
    for (auto& v : b) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        v = uint8_t(x);
    }
    return b;
}

Bytes simpleWave(uint16_t channels, uint16_t bits, uint32_t frames, uint32_t rate) {
    const FmtFields f = pcmFormat(channels, bits, rate);
    return riffFile({chunk("fmt ", fmtPayload(f)), chunk("data", pattern(size_t(frames) * f.align))});
}

uint32_t getLe32(const Bytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
