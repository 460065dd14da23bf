// Composition against a second version written straight from its rules
// (whole-array copy, wide arithmetic, floating-point line, one sample at a
// time), over random states; then the cases a listener would notice.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "audio_file/sample_access.h"
#include "playback/prepare.h"
#include "playback/tests/play_fixture.h"

namespace {

std::vector<uint8_t> naiveCompose(const Document& d, int kind) {
    const ViewState& v = d.view;
    const WaveInfo& f = d.edit;
    const int p = v.page, w = v.screenWidth;
    const uint32_t bps = f.bytesPerSample, ba = f.frameBytes, channels = f.format.channels;
    const uint32_t h = v.channel == 1 ? bps : 0, p0 = d.pages.workOrigin, n = 512u * uint32_t(w);
    const uint32_t p1 = p0 + n * ba;
    auto co = [&](int32_t x, int page) { return columnOffset(v, f, x, page); };
    std::vector<int64_t> s(d.pages.workSamples.get(), d.pages.workSamples.get() + kWorkSlots);  // the copy
    auto at = [&](uint32_t q) -> int64_t& { return s[size_t(2048 + (int64_t(q) - p0) / bps)]; };
    if (v.gainShift > 0)  // the display gain off
        for (uint32_t q = co(0, p) + h; q < co(w, p) + h; q += ba) at(q) >>= v.gainShift;
    if (d.bandEditing)  // the band set aside back
        for (uint32_t k = 0; k < n; ++k) at(p0 + h + k * ba) += d.pages.complementBand[k];
    auto line = [&](uint32_t a, uint32_t b) {
        const int64_t A = at(a), B = at(b), frames = (b - a) / ba;
        const long double slope = std::floor(std::fabs((long double)(A - B)) / frames);
        for (int64_t k = 0; k < frames; ++k) {
            const long double step = std::trunc((long double)k * slope);
            at(a + uint32_t(k) * ba) = int64_t(B < A ? (long double)A - step : (long double)A + step);
        }
    };
    if (kind == 4 || kind == 6) {  // the listening aid
        for (uint32_t c = 0; c < channels; ++c) {
            if (v.editFramePresent)
                line(v.editFrameStart - h + c * bps, v.editFrameEnd - h + c * bps);
            else if (p != 5)
                line(co(0, p + 1) + c * bps, co(w, p + 1) + c * bps);
        }
    }
    if (v.gainShift > 0) {  // the raise
        const uint32_t from = p > 2 ? co(0, 3) + h : p0 + h, to = p > 2 ? co(w, 3) + h : p1;
        int64_t m = 0;
        for (uint32_t q = from; q < to; q += ba) m = std::max<int64_t>(m, std::llabs(at(q)));
        int shift = 0;
        while (m < (1 << 23) && shift < v.gainShift && !(m & (int64_t(1) << (22 - shift)))) ++shift;
        if (m >= (1 << 23)) shift = 0;
        for (uint32_t q = from; q < to; q += ba) at(q) *= int64_t(1) << shift;
    }
    std::vector<uint8_t> out(size_t(n) * ba);
    const bool selected = d.playback.channelMode == ChannelPlayMode::selected && channels == 2;
    for (uint32_t q = p0; q < p1; q += bps) {  // written in the channel mode
        int64_t x = at(q);
        if (selected && (q - p0) % ba != h) x = 0;
        if (!selected && d.playback.volumeHalf) x >>= 1;
        writeSample(out.data(), q - p0, SampleValue(x), bps);
    }
    return out;
}

struct Snapshot {
    std::vector<SampleValue> work, band;
    std::vector<uint8_t> image;
    explicit Snapshot(const Document& d)
        : work(d.pages.workSamples.get(), d.pages.workSamples.get() + kWorkSlots),
          band(d.pages.complementBand.get(), d.pages.complementBand.get() + kFrameArrayLength),
          image(d.image.bytes(), d.image.bytes() + d.image.imageSize) {}
    bool operator==(const Snapshot& o) const { return work == o.work && band == o.band && image == o.image; }
};

TEST(Compose, EqualsTheStepsOverRandomStates) {
    std::mt19937 rng(16);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 36; ++round) {
        RecordingPlan plan;
        plan.bits = uint16_t(8 * pick(1, 3));
        plan.channels = uint16_t(pick(1, 2));
        plan.frames = 340000;               // the stretch at zoom column 2 runs past the data
        const bool quiet = pick(0, 2) > 0;  // quiet pages take the display gain
        plan.clicks = quiet ? 0 : 3;
        plan.level = quiet ? 0.004 : 0.25;
        const int kind = std::array<int, 5>{1, 3, 4, 5, 6}[size_t(pick(0, 4))];
        PlayPlace at;
        at.page = kind == 1 ? pick(2, 3) : kind == 3 ? 2 : kind == 4 ? 3 : pick(4, 5);
        at.channel = plan.channels == 2 ? pick(0, 1) : 0;
        at.zoom = {0, pick(0, 2), pick(0, 559), pick(0, 559), pick(0, 559)};
        at.gain = pick(0, 4);
        auto l = playDocument(makeRecording(plan), at);
        Document& d = **l;
        ASSERT_EQ(d.view.page, at.page);
        if (pick(0, 1)) {
            d.bandEditing = true;
            for (uint32_t k = 0; k < kFrameArrayLength; ++k) d.pages.complementBand[k] = pick(-300000, 300000);
        }
        if (pick(0, 1)) {
            const int32_t left = pick(0, 600);
            setFrame(d, left, left + pick(1, 39));
        }
        d.playback.channelMode = pick(0, 1) ? ChannelPlayMode::both : ChannelPlayMode::selected;
        d.playback.volumeHalf = pick(0, 1);
        SCOPED_TRACE(testing::Message() << "round " << round << " kind " << kind << " page " << at.page << " bits "
                                        << plan.bits << " gain " << d.view.gainShift);
        const std::vector<uint8_t> expected = naiveCompose(d, kind);
        const Snapshot before(d);
        ASSERT_TRUE(preparePlayback(d, kind));
        EXPECT_TRUE(composedBytes(d) == expected);
        EXPECT_TRUE(Snapshot(d) == before);  // the working copy, the band and the image are only read
    }
}

// 16-bit, quiet (x16 fits), both channels at 100 %: frame k is
// (1000 + k % 1000, -1000 - k % 1000) but for one frame, a click in every channel.
struct Hand {
    std::unique_ptr<LoadedDocument> l;
    Document& d() { return **l; }
    // The composed and the file's sample of channel c of the frame at image offset q.
    SampleValue out(uint32_t q, uint32_t c) {
        return readSample(d().image.playBufferA.get(), q - d().pages.workOrigin + c * 2, 2);
    }
    SampleValue in(uint32_t q, uint32_t c) { return readSample(d().image.bytes(), q + c * 2, 2); }
};

Hand hand(uint16_t channels, const PlayPlace& at, uint32_t clickFrame = 0, int16_t click = 0) {
    Bytes data(size_t(400000) * channels * 2);
    for (uint32_t i = 0; i < data.size() / 2; ++i) {
        const uint32_t k = i / channels;
        const int s = k == clickFrame && click ? click : i % channels ? -1000 - int(k % 1000) : 1000 + int(k % 1000);
        data[i * 2] = uint8_t(s);
        data[i * 2 + 1] = uint8_t(s >> 8);
    }
    Hand t{playDocument(riffFile({chunk("fmt ", fmtPayload(pcmFormat(channels, 16))), chunk("data", data)}), at)};
    t.d().playback.channelMode = ChannelPlayMode::both;
    t.d().playback.volumeHalf = false;
    return t;
}

constexpr uint32_t kPageThree = 3 * 8192 + 5 * 512, kPageFive = kPageThree + 7 * 64 + 9 * 8;  // first frames

TEST(Compose, FrameSilencedInEveryChannelOfItsOwnFrames) {
    struct Row {
        uint16_t channels;
        int channel, page, kind;
        uint32_t clickFrame;  // just after the edit frame
    };
    for (const Row& r : {Row{2, 1, 3, 4, kPageThree + 110 * 64}, Row{1, 0, 5, 6, kPageFive + 110}}) {
        PlayPlace at;
        at.page = r.page;
        at.channel = r.channel;
        Hand t = hand(r.channels, at, r.clickFrame, 20000);
        setFrame(t.d(), 100, 110);
        ASSERT_TRUE(preparePlayback(t.d(), r.kind));
        const uint32_t end = t.d().view.editFrameEnd - r.channel * 2, last = end - 2 * r.channels;
        for (uint32_t c = 0; c < r.channels; ++c) {
            EXPECT_EQ(t.out(end, c), t.in(end, c)) << r.channels << c;    // the frame after it is heard as it is
            EXPECT_GT(t.out(last, c), t.in(last, c)) << r.channels << c;  // the line runs up to the click
        }
    }
}

TEST(Compose, PageFiveWithoutAFramePlaysPageThreeWhole) {
    PlayPlace at;
    at.page = 5;
    Hand t = hand(2, at, kPageFive + 20, 30000);  // a click on page 5
    ASSERT_TRUE(preparePlayback(t.d(), 5));
    const std::vector<uint8_t> whole = composedBytes(t.d());
    ASSERT_TRUE(preparePlayback(t.d(), 6));
    EXPECT_TRUE(composedBytes(t.d()) == whole);
}

TEST(Compose, RaisedByTheDisplayGainOnTheSelectedChannelAsFarAsPageThreeAllows) {
    PlayPlace at;
    at.gain = 4;
    at.page = 3;
    Hand quiet = hand(2, at);
    ASSERT_EQ(quiet.d().view.gainShift, 4);
    ASSERT_TRUE(preparePlayback(quiet.d(), 1));
    for (uint32_t q = 44 + kPageThree * 4; q < 44 + (kPageThree + 64 * 640) * 4; q += 4 * 997) {
        EXPECT_EQ(quiet.out(q, 0), quiet.in(q, 0) * 16);
        EXPECT_EQ(quiet.out(q, 1), quiet.in(q, 1));  // both play, the other channel as it is
    }
    at.page = 4;
    Hand loud = hand(2, at, kPageThree + 3, 0x4000);  // bit 22 on page 3, outside page 4
    ASSERT_EQ(loud.d().view.gainShift, 4);
    ASSERT_TRUE(preparePlayback(loud.d(), 5));
    const uint32_t from = 44 + kPageThree * 4;
    EXPECT_EQ(0, std::memcmp(loud.d().image.playBufferA.get() + (from - loud.d().pages.workOrigin),
                             loud.d().image.bytes() + from, 64 * 4 * 640));
}

TEST(Compose, BandSplitWithoutAnEditPlaysTheOriginalBytes) {
    PlayPlace at;
    at.page = 2;
    RecordingPlan plan;  // loud: no display gain
    auto l = playDocument(makeRecording(plan), at);
    Document& d = **l;
    ASSERT_EQ(d.view.gainShift, 0);
    d.bandEditing = true;  // the edited band in the working copy, the rest set aside
    const uint32_t step = 2, n = stretchFrames(d);
    for (uint32_t k = 0; k < n; ++k) {
        const SampleValue low = (k % 200) * 1000 - 100000;
        d.pages.complementBand[k] = low;
        d.pages.workSamples[kWorkMargin + k * step] -= low;
    }
    d.playback.channelMode = ChannelPlayMode::both;
    d.playback.volumeHalf = false;
    ASSERT_TRUE(preparePlayback(d, 1));
    EXPECT_EQ(0, std::memcmp(d.image.playBufferA.get(), d.image.bytes() + d.pages.workOrigin, size_t(n) * 4));
}

TEST(Compose, EightBitHalvedAndSilencedAsSampleValues) {
    Bytes data(400000 * 2);
    const uint8_t bytes[] = {0x00, 0xFF, 0x80, 0x40};
    for (size_t i = 0; i < data.size(); ++i) data[i] = bytes[i % 4];
    const Bytes file = riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 8))), chunk("data", data)});
    PlayPlace at;
    at.zoom = {0, 0, 0, 0, 0};
    auto l = playDocument(file, at);
    Document& d = **l;
    d.playback.channelMode = ChannelPlayMode::both;
    ASSERT_TRUE(preparePlayback(d, 1));
    const uint8_t* a = d.image.playBufferA.get();
    EXPECT_EQ(std::vector<uint8_t>(a, a + 4), (std::vector<uint8_t>{0x40, 0xBF, 0x80, 0x60}));
    d.playback.channelMode = ChannelPlayMode::selected;
    ASSERT_TRUE(preparePlayback(d, 1));
    EXPECT_EQ(std::vector<uint8_t>(a, a + 4), (std::vector<uint8_t>{0x00, 0x80, 0x80, 0x80}));
}

}  // namespace
