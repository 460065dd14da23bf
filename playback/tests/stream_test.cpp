// The streaming machine driven by a simulated device that returns buffers in
// any order and handles the posted refills late: the device must get exactly
// the range, in order, nothing after a stop, and see one end with nothing queued.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <random>

#include "audio_file/sample_access.h"
#include "playback/prepare.h"
#include "playback/stream.h"
#include "playback/tests/play_fixture.h"

namespace {

// The range in the device's bytes, straight from the channel mode's words.
std::vector<uint8_t> expectedBytes(const Document& d, uint32_t from, uint32_t bytes) {
    const uint32_t bps = d.edit.bytesPerSample, ba = d.edit.frameBytes;
    const bool selected = d.playback.channelMode == ChannelPlayMode::selected && d.stereo();
    std::vector<uint8_t> out(bytes);
    for (uint32_t i = 0; i < bytes; i += bps) {
        SampleValue v = readSample(d.image.bytes(), from + i, bps);
        if (selected && i % ba != (d.view.channel == 1 ? bps : 0)) v = 0;
        if (!selected && d.playback.volumeHalf) v >>= 1;
        writeSample(out.data(), i, v, bps);
    }
    return out;
}

struct Device {
    Document& d;
    std::deque<std::pair<PlayBuffer, std::vector<uint8_t>>> held;  // queued, with what they held then
    std::vector<uint8_t> received;
    int posted = 0, ends = 0;
    bool stopped = false;

    void carryOut(const StreamActions& a) {
        for (int i = 0; i < a.queueCount; ++i) {
            const QueuedBuffer& q = a.queue[size_t(i)];
            EXPECT_FALSE(stopped) << "queued after a stop";
            EXPECT_EQ(ends, 0) << "queued after the end";
            for (const auto& h : held) EXPECT_NE(h.first, q.buffer) << "refilled while the device holds it";
            held.emplace_back(q.buffer, std::vector<uint8_t>(q.data, q.data + q.bytes));
            received.insert(received.end(), q.data, q.data + q.bytes);
        }
        posted += a.postRefill;
        if (a.end) {
            ++ends;
            EXPECT_TRUE(held.empty()) << "ended with a buffer queued";
        }
        if (a.reset)
            while (!held.empty()) giveBack(0);
    }
    void giveBack(size_t i) {
        const auto h = held[i];
        held.erase(held.begin() + long(i));
        const uint8_t* data = h.first == PlayBuffer::a ? d.image.playBufferA.get() : d.image.playBufferB.get();
        if (!d.playback.range.composed) {
            EXPECT_EQ(0, std::memcmp(data, h.second.data(), h.second.size())) << "overwritten while playing";
        }
        carryOut(bufferDone(d, h.first));
    }
};

enum class Script { inOrder, anyOrder, bothBackBeforeRefills, stopWithRefillPending, stopBeforeFirstReturn };

// Plays the range through the device; returns it for the checks.
Device play(Document& d, Script script, uint32_t seed) {
    std::mt19937 rng(seed);
    Device dev{d, {}, {}};
    dev.carryOut(startPlayback(d));
    for (int step = 0; step < 100000 && dev.ends == 0; ++step) {
        const bool stopNow = (script == Script::stopBeforeFirstReturn && step == 0) ||
                             (script == Script::stopWithRefillPending && dev.posted > 0 && !dev.stopped);
        if (stopNow) {
            dev.stopped = true;
            dev.carryOut(stopPlayback(d));
            continue;
        }
        const bool holdRefills = script == Script::bothBackBeforeRefills && !dev.held.empty();
        const bool refillFirst = dev.posted > 0 && !holdRefills && (dev.held.empty() || rng() % 2);
        if (refillFirst) {
            --dev.posted;
            dev.carryOut(refillRequested(d));
        } else if (!dev.held.empty()) {
            dev.giveBack(script == Script::anyOrder ? rng() % dev.held.size() : 0);
        } else {
            ADD_FAILURE() << "nothing queued, nothing posted, no end: the playback hangs";
            break;
        }
    }
    // Late refills, after the end, queue nothing.
    while (dev.posted-- > 0) dev.carryOut(refillRequested(d));
    EXPECT_EQ(dev.ends, 1);
    EXPECT_FALSE(playbackRunning(d));
    return dev;
}

struct LengthRow {
    const char* name;
    int64_t chunks;  // length = chunks x Q + extra
    int64_t extra;
};
const LengthRow kLengths[] = {{"OneByte", 0, 1},   {"UnderAChunk", 0, 1000},  {"OneChunk", 1, 0},
                              {"TwoChunks", 2, 0}, {"TwoChunksAndOne", 2, 1}, {"FiveChunksAndSome", 5, 77}};

class Stream : public ::testing::TestWithParam<LengthRow> {
protected:
    static void SetUpTestSuite() {  // 8-bit mono: one frame per byte
        file = new Bytes(riffFile({chunk("fmt ", fmtPayload(pcmFormat(1, 8))), chunk("data", pattern(2000000, 5))}));
    }
    static void TearDownTestSuite() { delete file; }
    static Bytes* file;
};
Bytes* Stream::file = nullptr;

TEST_P(Stream, DeviceGetsExactlyTheRangeInOrder) {
    PlayPlace at;
    at.page = 0;
    auto l = playDocument(*file, at);
    Document& d = **l;
    const uint32_t q = chunkBytes(d), start = d.edit.dataOffset + 12345;
    const uint32_t length = uint32_t(GetParam().chunks * q + GetParam().extra);
    d.playback.channelMode = ChannelPlayMode::both;
    const std::vector<uint8_t> expected = expectedBytes(d, start, length);
    for (Script s : {Script::inOrder, Script::anyOrder, Script::bothBackBeforeRefills, Script::stopWithRefillPending,
                     Script::stopBeforeFirstReturn}) {
        SCOPED_TRACE(int(s));
        d.playback.range = {start, length, 0, 100, false};
        const Device dev = play(d, s, 7 + uint32_t(s));
        ASSERT_LE(dev.received.size(), expected.size());
        EXPECT_TRUE(std::equal(dev.received.begin(), dev.received.end(), expected.begin()));
        const bool stopped = s == Script::stopWithRefillPending || s == Script::stopBeforeFirstReturn;
        if (!stopped) {
            EXPECT_EQ(dev.received.size(), expected.size());
        }
        endPlayback(d);
    }
}
INSTANTIATE_TEST_SUITE_P(Lengths, Stream, ::testing::ValuesIn(kLengths),
                         [](const auto& row) { return std::string(row.param.name); });

struct ModeRow {
    const char* name;
    uint16_t bits;
    int channel;
    ChannelPlayMode mode;
    bool half;
};
const ModeRow kModes[] = {{"Right16Selected", 16, 1, ChannelPlayMode::selected, true},
                          {"Left24Selected", 24, 0, ChannelPlayMode::selected, false},
                          {"Right8Selected", 8, 1, ChannelPlayMode::selected, true},
                          {"Both8Half", 8, 0, ChannelPlayMode::both, true},
                          {"Both24Half", 24, 1, ChannelPlayMode::both, true},
                          {"Both16Full", 16, 0, ChannelPlayMode::both, false}};

class StreamMode : public ::testing::TestWithParam<ModeRow> {};
TEST_P(StreamMode, OverviewPlaysToTheDataEndInTheChannelMode) {
    RecordingPlan plan;
    plan.bits = GetParam().bits;
    plan.frames = 700000;
    PlayPlace at;
    at.page = 0;
    at.channel = GetParam().channel;
    auto l = playDocument(makeRecording(plan), at);
    Document& d = **l;
    d.playback.channelMode = GetParam().mode;
    d.playback.volumeHalf = GetParam().half;
    ASSERT_TRUE(preparePlayback(d, 0));
    const Device dev = play(d, Script::anyOrder, 3);
    EXPECT_TRUE(dev.received == expectedBytes(d, d.edit.dataOffset, d.edit.dataEnd - d.edit.dataOffset));
}
INSTANTIATE_TEST_SUITE_P(Modes, StreamMode, ::testing::ValuesIn(kModes),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(StreamComposed, IsOneWriteFromTheRangeStart) {
    PlayPlace at;
    at.page = 3;
    auto l = playDocument(simpleWave(2, 16, 400000), at);
    Document& d = **l;
    ASSERT_TRUE(preparePlayback(d, 1));
    const PlaybackRange r = d.playback.range;
    StreamActions a = startPlayback(d);
    ASSERT_EQ(a.queueCount, 1);
    EXPECT_EQ(a.queue[0].data, d.image.playBufferA.get() + r.startOffset);
    EXPECT_EQ(a.queue[0].bytes, r.length);
    EXPECT_FALSE(preparePlayback(d, 1));  // the device reads the buffer
    EXPECT_TRUE(refillRequested(d).queueCount == 0);
    EXPECT_TRUE(bufferDone(d, PlayBuffer::a).end);
}

}  // namespace
