#include "playback/stream.h"

#include <algorithm>
#include <cstring>

#include "audio_file/sample_access.h"
#include "playback/channel_mode.h"

namespace {

PlayBuffer other(PlayBuffer b) { return b == PlayBuffer::a ? PlayBuffer::b : PlayBuffer::a; }
size_t index(PlayBuffer b) { return b == PlayBuffer::a ? 0 : 1; }

uint8_t* bufferOf(const Document& doc, PlayBuffer b) {
    return b == PlayBuffer::a ? doc.image.playBufferA.get() : doc.image.playBufferB.get();
}

bool anyQueued(const StreamState& s) { return s.queued[0] || s.queued[1]; }

bool wholeFrames(const Document& doc, uint32_t bytes) { return bytes % doc.edit.frameBytes == 0; }

// Where the range may be read: streamed inside the data, composed inside the stretch.
bool usable(const Document& doc, const PlaybackRange& r) {
    const WaveInfo& f = doc.edit;
    const uint64_t q = chunkBytes(doc);
    if (!doc.image.allocated() || !doc.image.playBufferA || !doc.image.playBufferB || f.frameBytes == 0 ||
        r.length == 0 || q == 0 || q > doc.image.pageBufferBytes || !wholeFrames(doc, r.length))
        return false;
    if (r.composed) return wholeFrames(doc, r.startOffset) && uint64_t(r.startOffset) + r.length <= q;
    return r.startOffset >= f.dataOffset && wholeFrames(doc, r.startOffset - f.dataOffset) &&
           uint64_t(r.startOffset) + r.length <= f.dataEnd;
}

// The next chunk into a buffer the device does not hold; false when there is
// none, nothing is left, or a stop was asked.
bool queueNext(Document& doc, StreamActions& a) {
    StreamState& s = doc.playback.stream;
    if (s.stopAsked || s.readPosition >= s.endPosition) return false;
    const PlayBuffer b = s.queued[index(s.turn)] ? other(s.turn) : s.turn;
    if (s.queued[index(b)]) return false;
    const uint32_t bytes = std::min(s.chunkBytes, s.endPosition - s.readPosition);
    uint8_t* data = bufferOf(doc, b);
    fillChunk(doc, data, s.readPosition, bytes);
    s.readPosition += bytes;
    s.queued[index(b)] = true;
    s.turn = other(b);
    a.queue[size_t(a.queueCount++)] = {b, data, bytes};
    return true;
}

// Ends once, and only with nothing queued.
void endIfDone(StreamState& s, StreamActions& a) {
    if (anyQueued(s) || (!s.stopAsked && s.readPosition < s.endPosition)) return;
    s.running = false;
    a.end = true;
}

// Byte masks repeating every 24 bytes (whole frames of 2, 4 and 6 bytes),
// laid out over 96 so the words go through in whole vector registers: the
// selected channel's bytes kept, the other's set to its silence.
constexpr uint32_t kPatternBytes = 96;

struct FramePattern {
    uint64_t keep[kPatternBytes / 8], fill[kPatternBytes / 8];
    uint8_t keepByte[kPatternBytes], fillByte[kPatternBytes];
};

FramePattern patternOf(const Document& doc, const ChannelTreatment& t) {
    FramePattern p{};
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    for (uint32_t i = 0; i < kPatternBytes; i += bps) {
        const uint32_t c = (i % ba) / bps;
        if (t.mask[c] == 0) {
            writeSample(p.fillByte, i, 0, bps);  // 8-bit silence is 0x80
        } else {
            for (uint32_t j = 0; j < bps; ++j) p.keepByte[i + j] = 0xFF;
        }
    }
    std::memcpy(p.keep, p.keepByte, kPatternBytes);
    std::memcpy(p.fill, p.fillByte, kPatternBytes);
    return p;
}

void fillSelected(uint8_t* out, const uint8_t* in, uint32_t bytes, const FramePattern& p) {
    constexpr int kWords = kPatternBytes / 8;
    uint32_t i = 0;
    for (; i + kPatternBytes <= bytes; i += kPatternBytes) {
        uint64_t w[kWords];
        std::memcpy(w, in + i, kPatternBytes);
        for (int k = 0; k < kWords; ++k) w[k] = (w[k] & p.keep[k]) | p.fill[k];
        std::memcpy(out + i, w, kPatternBytes);
    }
    for (uint32_t j = 0; i < bytes; ++i, ++j) out[i] = uint8_t((in[i] & p.keepByte[j]) | p.fillByte[j]);
}

template <uint32_t bps>
void fillHalved(uint8_t* out, const uint8_t* in, uint32_t bytes) {
    for (uint32_t i = 0; i + bps <= bytes; i += bps) writeSampleAs<bps>(out + i, readSampleAs<bps>(in + i) >> 1);
}

}  // namespace

uint32_t chunkBytes(const Document& doc) {
    return doc.view.framesPerPixel[2] * doc.edit.frameBytes * uint32_t(doc.view.screenWidth);
}

void fillChunk(const Document& doc, uint8_t* out, uint32_t from, uint32_t bytes) {
    const uint8_t* in = doc.image.bytes() + from;
    const ChannelTreatment t = channelTreatment(doc);
    if (t.identity()) {
        std::memcpy(out, in, bytes);
    } else if (t.mask[0] == 0 || t.mask[1] == 0) {
        fillSelected(out, in, bytes, patternOf(doc, t));
    } else if (doc.edit.bytesPerSample == 1) {
        fillHalved<1>(out, in, bytes);
    } else if (doc.edit.bytesPerSample == 2) {
        fillHalved<2>(out, in, bytes);
    } else {
        fillHalved<3>(out, in, bytes);
    }
}

StreamActions startPlayback(Document& doc) {
    StreamActions a;
    StreamState& s = doc.playback.stream;
    if (s.running) return a;
    s = StreamState{};
    const PlaybackRange& r = doc.playback.range;
    if (!usable(doc, r)) {
        a.end = true;
        return a;
    }
    s.running = true;
    if (r.composed) {  // one buffer; nothing is left to read after it
        s.queued[0] = true;
        a.queue[0] = {PlayBuffer::a, doc.image.playBufferA.get() + r.startOffset, r.length};
        a.queueCount = 1;
        return a;
    }
    s.chunkBytes = chunkBytes(doc);
    s.readPosition = r.startOffset;
    s.endPosition = r.startOffset + r.length;
    queueNext(doc, a);
    queueNext(doc, a);
    return a;
}

StreamActions bufferDone(Document& doc, PlayBuffer buffer) {
    StreamActions a;
    StreamState& s = doc.playback.stream;
    if (!s.running || !s.queued[index(buffer)]) return a;
    s.queued[index(buffer)] = false;
    // The refill runs from the dialog's own message, never inside the device's report.
    if (!s.stopAsked && s.readPosition < s.endPosition)
        a.postRefill = true;
    else
        endIfDone(s, a);
    return a;
}

StreamActions refillRequested(Document& doc) {
    StreamActions a;
    StreamState& s = doc.playback.stream;
    if (!s.running) return a;
    if (!queueNext(doc, a)) endIfDone(s, a);
    return a;
}

StreamActions stopPlayback(Document& doc) {
    StreamActions a;
    StreamState& s = doc.playback.stream;
    if (!s.running) return a;
    s.stopAsked = true;
    a.reset = anyQueued(s);  // the reset returns them, and the last return ends
    endIfDone(s, a);
    return a;
}

void endPlayback(Document& doc) {
    doc.playback.stream = StreamState{};
    doc.playback.indicatorMode = false;
}

bool playbackRunning(const Document& doc) { return doc.playback.stream.running; }
