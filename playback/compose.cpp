#include "playback/compose.h"

#include <algorithm>
#include <cstring>

#include "audio_file/sample_access.h"
#include "edit/page_io.h"
#include "edit/tools.h"
#include "playback/channel_mode.h"

namespace {

struct Stretch {
    uint32_t p0 = 0, p1 = 0;  // image offsets of the stretch
    uint32_t bps = 0, ba = 0, channels = 0, frames = 0;
    // The slots copied into scratch: the stretch and the frame after it,
    // where a straight line over the last columns takes its far end.
    bool holds(uint32_t from, uint32_t to) const { return from >= p0 && from <= to && to < p1 + ba; }
};

bool stretchOf(const Document& doc, Stretch& s) {
    const ViewState& v = doc.view;
    const WaveInfo& f = doc.edit;
    if (!doc.pages.allocated() || !doc.image.playBufferA || v.page < 2 || v.page > 5) return false;
    if (std::find(kScreenWidths.begin(), kScreenWidths.end(), v.screenWidth) == kScreenWidths.end()) return false;
    s.bps = f.bytesPerSample;
    s.channels = f.format.channels;
    s.ba = f.frameBytes;
    if (s.bps < 1 || s.bps > 3 || s.channels < 1 || s.channels > 2 || s.ba != s.bps * s.channels) return false;
    s.frames = stretchFrames(doc);
    if (size_t(s.frames) * s.ba > doc.image.pageBufferBytes) return false;
    s.p0 = doc.pages.workOrigin;
    s.p1 = s.p0 + s.frames * s.ba;
    // The working copy is the stretch page 1's zoom frame chose.
    if (s.p0 != columnOffset(v, f, 0, 2)) return false;
    // The gain is held by the selected channel of whole frames of the stretch.
    const GainPlace& g = v.gainPlace;
    const uint32_t h = channelOffset(v, f);
    return v.gainShift == 0 || (!g.inImage && s.holds(g.from, g.to) && (g.from - s.p0) % s.ba == h &&
                                (g.to - s.p0) % s.ba == h && g.to <= s.p1 + h);
}

// slots[i] for every step-th slot of offsets [from, to).
template <typename F>
void eachSample(SampleValue* slots, const Stretch& s, uint32_t workOrigin, uint32_t from, uint32_t to, F&& f) {
    const size_t step = s.channels;
    size_t i = slotOf(from, workOrigin, s.bps);
    for (uint32_t q = from; q < to; q += s.ba, i += step) f(slots[i]);
}

// The copy into scratch while bands are split, in one pass: the selected
// channel's gain taken off (down), then the band set aside added back with
// wrap-around (never overflow); the other channel as it is.
template <uint32_t channels, uint32_t selected>
void copyAddingBand(SampleValue* out, const SampleValue* in, const SampleValue* band, uint32_t from, uint32_t to,
                    int down) {
    for (size_t k = from; k < to; ++k) {
        out[k * channels + selected] = SampleValue(uint32_t(in[k * channels + selected] >> down) + uint32_t(band[k]));
        if constexpr (channels == 2) out[k * channels + 1 - selected] = in[k * channels + 1 - selected];
    }
}

template <uint32_t channels, uint32_t selected>
void copyAddingBand(SampleValue* out, const SampleValue* in, const SampleValue* band, uint32_t frames,
                    uint32_t gainFrom, uint32_t gainTo, int down) {
    copyAddingBand<channels, selected>(out, in, band, 0, gainFrom, 0);
    copyAddingBand<channels, selected>(out, in, band, gainFrom, gainTo, down);
    copyAddingBand<channels, selected>(out, in, band, gainTo, frames, 0);
}

// The packed stores below put a word's low byte first.
bool littleEndianHost() {
    const uint32_t probe = 1;
    uint8_t first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

inline void store32(uint8_t* p, uint32_t w) { std::memcpy(p, &w, 4); }

// Scratch out into the file's format and the channel mode in one pass: the
// bytes writeSample gives (on a little-endian host four samples packed into
// whole words), silenced or halved as a SampleValue, so 8-bit silence is 0x80.
template <uint32_t bps, uint32_t channels, bool packed>
void writeStretch(uint8_t* out, const SampleValue* slots, uint32_t frames, const ChannelTreatment& t) {
    const size_t samples = size_t(frames) * channels;
    // Channel of sample i: i & 1 in stereo, so a group of four is 0, 1, 0, 1.
    const SampleValue m0 = t.mask[0], m1 = channels == 2 ? t.mask[1] : t.mask[0];
    const int s0 = t.shift[0], s1 = channels == 2 ? t.shift[1] : t.shift[0];
    size_t i = 0;
    if constexpr (packed) {
        for (; i + 4 <= samples; i += 4, out += 4 * bps) {
            const uint32_t v0 = uint32_t((slots[i] & m0) >> s0), v1 = uint32_t((slots[i + 1] & m1) >> s1);
            const uint32_t v2 = uint32_t((slots[i + 2] & m0) >> s0), v3 = uint32_t((slots[i + 3] & m1) >> s1);
            if constexpr (bps == 1) {
                const uint32_t bias = 0x80808080u;  // + 128 per byte, carries dropped
                store32(out,
                        ((v0 >> 16 & 0xFF) | (v1 >> 8 & 0xFF00) | (v2 & 0xFF0000) | (v3 << 8 & 0xFF000000)) ^ bias);
            } else if constexpr (bps == 2) {
                store32(out, (v0 >> 8 & 0xFFFF) | (v1 << 8 & 0xFFFF0000));
                store32(out + 4, (v2 >> 8 & 0xFFFF) | (v3 << 8 & 0xFFFF0000));
            } else {
                store32(out, (v0 & 0xFFFFFF) | v1 << 24);
                store32(out + 4, (v1 >> 8 & 0xFFFF) | v2 << 16);
                store32(out + 8, (v2 >> 16 & 0xFF) | v3 << 8);
            }
        }
    }
    for (; i < samples; ++i, out += bps)
        writeSampleAs<bps>(out, (i & 1) ? (slots[i] & m1) >> s1 : (slots[i] & m0) >> s0);
}

template <uint32_t bps>
void writeStretchOf(uint8_t* out, const SampleValue* slots, const Stretch& s, const ChannelTreatment& t) {
    const bool packed = littleEndianHost();
    if (s.channels == 2 && packed) writeStretch<bps, 2, true>(out, slots, s.frames, t);
    if (s.channels == 2 && !packed) writeStretch<bps, 2, false>(out, slots, s.frames, t);
    if (s.channels == 1 && packed) writeStretch<bps, 1, true>(out, slots, s.frames, t);
    if (s.channels == 1 && !packed) writeStretch<bps, 1, false>(out, slots, s.frames, t);
}

}  // namespace

bool composePlayBuffer(Document& doc, bool silenceFrame) {
    Stretch s;
    if (!stretchOf(doc, s)) return false;
    const ViewState& v = doc.view;
    const WaveInfo& f = doc.edit;
    const int p = v.page;
    const int32_t w = v.screenWidth;
    const uint32_t h = channelOffset(v, f);

    // The frames of the listening aid, channel offset not included.
    bool silence = false;
    uint32_t quietFrom = 0, quietTo = 0;
    if (silenceFrame && v.editFramePresent) {
        silence = true;
        quietFrom = v.editFrameStart - h;
        quietTo = v.editFrameEnd - h;
    } else if (silenceFrame && p != 5) {
        silence = true;
        quietFrom = columnOffset(v, f, 0, p + 1);
        quietTo = columnOffset(v, f, w, p + 1);
    }
    for (uint32_t c = 0; silence && c < s.channels; ++c)
        if (!s.holds(quietFrom + c * s.bps, quietTo + c * s.bps)) return false;
    // The played part the raise is measured over.
    const uint32_t raiseFrom = p > 2 ? columnOffset(v, f, 0, 3) + h : s.p0 + h;
    const uint32_t raiseTo = p > 2 ? columnOffset(v, f, w, 3) + h : s.p1;
    if (!s.holds(raiseFrom, raiseTo)) return false;

    const uint32_t origin = doc.pages.workOrigin;
    SampleValue* scratch = doc.pages.scratchSamples.get();
    const size_t first = size_t(kWorkMargin);
    const SampleValue* work = doc.pages.workSamples.get() + first;
    const size_t copied = size_t(s.frames + 1) * s.channels;  // with the frame after the stretch
    if (!doc.bandEditing) {
        std::memcpy(scratch + first, work, copied * sizeof(SampleValue));
        const int down = v.gainShift;
        if (down > 0)
            eachSample(scratch, s, origin, v.gainPlace.from, v.gainPlace.to, [down](SampleValue& x) { x >>= down; });
    } else {  // restoration synthesis: the edited band, its gain removed, plus the one set aside
        const SampleValue* band = doc.pages.complementBand.get();
        const uint32_t gainFrom = v.gainShift > 0 ? (v.gainPlace.from - s.p0) / s.ba : 0;
        const uint32_t gainTo = v.gainShift > 0 ? (v.gainPlace.to - s.p0) / s.ba : 0;
        SampleValue* to = scratch + first;
        if (s.channels == 1) copyAddingBand<1, 0>(to, work, band, s.frames, gainFrom, gainTo, v.gainShift);
        if (s.channels == 2 && h == 0) copyAddingBand<2, 0>(to, work, band, s.frames, gainFrom, gainTo, v.gainShift);
        if (s.channels == 2 && h != 0) copyAddingBand<2, 1>(to, work, band, s.frames, gainFrom, gainTo, v.gainShift);
        const size_t after = copied - s.channels;
        std::memcpy(to + after, work + after, s.channels * sizeof(SampleValue));
    }
    // Every channel of the same frames: the frame is silenced, not its neighbour.
    for (uint32_t c = 0; silence && c < s.channels; ++c)
        fillLine(scratch, origin, quietFrom + c * s.bps, quietTo + c * s.bps, s.bps, s.ba);
    if (v.gainShift > 0) {
        const int32_t up = headroomShiftSlots(doc, scratch, raiseFrom, raiseTo, v.gainShift);
        const SampleValue factor = SampleValue(1) << up;
        if (up > 0) eachSample(scratch, s, origin, raiseFrom, raiseTo, [factor](SampleValue& x) { x *= factor; });
    }
    const ChannelTreatment t = channelTreatment(doc);
    uint8_t* out = doc.image.playBufferA.get();
    const SampleValue* slots = scratch + first;
    if (s.bps == 1) writeStretchOf<1>(out, slots, s, t);
    if (s.bps == 2) writeStretchOf<2>(out, slots, s, t);
    if (s.bps == 3) writeStretchOf<3>(out, slots, s, t);
    return true;
}
