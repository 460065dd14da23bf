#include "audio_file/mp3_detect.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "audio_file/mp3_header.h"
#include "audio_file/mp3_walk.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/wave_builder.h"

namespace {

Bytes lameFile(const std::string& name) {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/audio_file/tests/data/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Detected {
    Mp3Detection detection = Mp3Detection::notMp3;
    Mp3Source source;
    Mp3Frames frames;
};
Detected detect(const Bytes& bytes, const std::string& name = "C:\\m\\take1.mp3") {
    MemoryFileSystem fs;
    fs.files[name] = bytes;
    SilentProgress progress;
    Detected d;
    d.detection = detectMp3(fs, name, progress, d.source);
    if (d.detection == Mp3Detection::mp3)
        d.frames = countFrames(bytes.data() + d.source.offset, d.source.length, d.source);
    return d;
}

// Layer III headers typed from the standard's bit layout.
const Bytes kHeader44k128{0xFF, 0xFB, 0x90, 0x44};               // MPEG-1, 128 kbit/s, 44.1 kHz, joint stereo
const Bytes kHeader8k8Mono{0xFF, 0xE3, 0x18, 0xC0};              // MPEG-2.5, 8 kbit/s, 8 kHz, single channel: 72 bytes
Bytes frames(const Bytes& header, uint32_t length, int count) {  // frames of one length, payload zero
    Bytes out;
    for (int i = 0; i < count; ++i) {
        Bytes f(length, 0);
        std::copy(header.begin(), header.end(), f.begin());
        out.insert(out.end(), f.begin(), f.end());
    }
    return out;
}
// tag 85, then 16000 bytes/s, align 1, bits 0, extra 12, ID 1, flags 2, block 500, 1 frame, delay 1393.
Bytes mp3FmtPayload(uint16_t channels, uint32_t rate, size_t length = 30) {
    Bytes b = fmtPayload(FmtFields{85, channels, rate, 16000, 1, 0});
    for (uint16_t v : {12, 1, 2, 0, 500, 1, 1393}) b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
    b.resize(length, 0);
    return b;
}

struct LameRow {
    const char* file;
    std::string label;
    uint64_t offset, length;
    uint16_t channels;
    uint32_t rate, averageBytes, flags;
    uint16_t blockSize;
    uint64_t count;
    uint32_t average;
};
// Layouts read off the files with a separate header walk.
const LameRow kLameFiles[] = {
    {"cbr_notag.mp3", "(id3v_mp3)", 0, 2925, 2, 44100, 16000, 2, 417, 7, 128},
    {"cbr_info.mp3", "(id3v_mp3)", 417, 2925, 2, 44100, 16000, 2, 417, 7, 128},
    {"vbr_xing.mp3", "(id3v_mp3)", 417, 3338, 2, 44100, 16000, 2, 417, 7, 146},
    {"id3v2.mp3", "(id3v2_mp3)", 104 + 417, 2925, 2, 44100, 16000, 2, 417, 7, 128},
    {"id3v2v1.mp3", "(id3v2v1_mp3)", 104 + 417, 2925, 2, 44100, 16000, 2, 417, 7, 128},
    {"id3v1.mp3", "(id3v1_mp3)", 417, 2925, 2, 44100, 16000, 2, 417, 7, 128},
    {"mono22k.mp3", "(id3v_mp3)", 208, 2089, 1, 22050, 8000, 2, 208, 10, 64},
    {"mono8k.mp3", "(id3v_mp3)", 216, 2376, 1, 8000, 3000, 2, 216, 11, 24},
};

class LameFile : public ::testing::TestWithParam<LameRow> {};
TEST_P(LameFile, LabelSourceRecordAndFrames) {
    const LameRow& row = GetParam();
    const Bytes bytes = lameFile(row.file);
    ASSERT_GT(bytes.size(), 1440u) << row.file;
    const Detected d = detect(bytes);
    ASSERT_EQ(d.detection, Mp3Detection::mp3);
    EXPECT_EQ(labelText(d.source.label), row.label);
    EXPECT_EQ(d.source.offset, row.offset);
    EXPECT_EQ(d.source.length, row.length);
    const Mp3Format& f = d.source.format;
    EXPECT_EQ(
        std::make_tuple(f.formatTag, f.channels, f.samplesPerSecond, f.averageBytesPerSecond, f.blockAlign,
                        f.bitsPerSample, f.extraSize, f.id, f.flags, f.blockSize, f.framesPerBlock, f.codecDelay),
        std::make_tuple(85, row.channels, row.rate, row.averageBytes, 1, 0, 12, 1, row.flags, row.blockSize, 1, 1393));
    EXPECT_EQ(d.frames.count, row.count);
    EXPECT_EQ(d.frames.averageBitRate, row.average);
    // Named otherwise, a stream that starts at its first byte is found the same way.
    EXPECT_EQ(detect(bytes, "C:\\m\\take1.dat").source.offset, row.offset);
}
INSTANTIATE_TEST_SUITE_P(Lame, LameFile, ::testing::ValuesIn(kLameFiles), [](const auto& row) {
    std::string name = row.param.file;
    return name.substr(0, name.find('.'));
});

struct HeaderRow {
    const char* name;
    Bytes header;
    uint32_t length;  // 0: not a Layer III header
};
const HeaderRow kHeaders[] = {
    {"Mpeg1At128k", {0xFF, 0xFB, 0x90, 0x44}, 417},
    {"Mpeg1At128kPadded", {0xFF, 0xFB, 0x92, 0x44}, 418},
    {"Mpeg2At64k", {0xFF, 0xF3, 0x80, 0xC4}, 208},
    {"Mpeg2At64kPadded", {0xFF, 0xF3, 0x82, 0xC4}, 209},
    {"Mpeg1At320kAt32kPadded", {0xFF, 0xFB, 0xEA, 0x44}, 1441},
    {"Mpeg25At8k", {0xFF, 0xE3, 0x18, 0xC0}, 72},
    {"FreeFormat", {0xFF, 0xFB, 0x00, 0x44}, 0},
    {"BitRateIndex15", {0xFF, 0xFB, 0xF0, 0x44}, 0},
    {"ReservedVersion", {0xFF, 0xEB, 0x90, 0x44}, 0},
    {"LayerTwo", {0xFF, 0xFD, 0x90, 0x44}, 0},
    {"ReservedRate", {0xFF, 0xFB, 0x9C, 0x44}, 0},
    {"PrivateBit", {0xFF, 0xFB, 0x91, 0x44}, 0},
    {"Emphasis2", {0xFF, 0xFB, 0x90, 0x46}, 0},
    {"ShortSync", {0xFF, 0xDB, 0x90, 0x44}, 0},
};
class LayerThreeHeader : public ::testing::TestWithParam<HeaderRow> {};
TEST_P(LayerThreeHeader, FrameLength) {
    FrameHeader h;
    const bool parsed = parseFrameHeader(GetParam().header.data(), h);
    EXPECT_EQ(parsed, GetParam().length != 0);
    if (parsed) {
        EXPECT_EQ(h.length, GetParam().length);
    }
}
INSTANTIATE_TEST_SUITE_P(Mp3, LayerThreeHeader, ::testing::ValuesIn(kHeaders),
                         [](const auto& row) { return std::string(row.param.name); });

Bytes withTail(Bytes b, const char* tail) {
    std::copy(tail, tail + 3, b.end() - 128);
    return b;
}
Bytes id3v2Tag(uint8_t version, uint8_t flags, Bytes size, size_t body) {
    Bytes t{'I', 'D', '3', version, 0, flags};
    t.insert(t.end(), size.begin(), size.end());
    t.resize(10 + body, 0);
    return t;
}

struct CraftedRow {
    const char* name;
    Bytes bytes;
    std::string file;
    Mp3Detection detection;
    std::string label;
    uint64_t offset, length;
};
const Bytes kNoTag = lameFile("cbr_notag.mp3");  // 2925 bytes, 7 frames, from offset 0
const CraftedRow kCrafted[] = {
    {"TWithoutAg", withTail(kNoTag, "TAX"), "a.mp3", Mp3Detection::mp3, "(id3v_mp3)", 0, 2925},
    {"Below1440Bytes", Bytes(kNoTag.begin(), kNoTag.begin() + 1439), "a.mp3", Mp3Detection::notMp3, "", 0, 0},
    {"Exactly1440Bytes", Bytes(kNoTag.begin(), kNoTag.begin() + 1440), "a.mp3", Mp3Detection::mp3, "(id3v_mp3)", 0,
     1440},
    {"JunkWithFalseSyncsFirst", concat({Bytes{1, 0xFF, 0xFB, 0x90, 0x44, 7, 0xFF}, kHeader44k128, pattern(50), kNoTag}),
     "a.MP3", Mp3Detection::mp3, "(id3v_mp3)", 61, 2925},
    {"JunkFirstNotNamedMp3", concat({pattern(61), kNoTag}), "a.wav", Mp3Detection::notMp3, "", 0, 0},
    {"Id3v24FooterCounted", concat({id3v2Tag(4, 0x10, {0, 1, 2, 3}, 16643), Bytes(10, 0), kNoTag}), "a.bin",
     Mp3Detection::mp3, "(id3v2_mp3)", 16663, 2925},
    {"Id3v23NoFooter", concat({id3v2Tag(3, 0, {0, 0, 2, 1}, 257), kNoTag}), "a.bin", Mp3Detection::mp3, "(id3v2_mp3)",
     267, 2925},
    {"Id3v2PaddingBeforeFrames", concat({id3v2Tag(3, 0, {0, 0, 0, 20}, 20), Bytes(33, 0), kNoTag}), "a.bin",
     Mp3Detection::mp3, "(id3v2_mp3)", 63, 2925},
    // Faults 1: sizes from the file are held to it.
    {"Id3v2SizePastTheEnd", concat({id3v2Tag(3, 0, {1, 0, 0, 0}, 0), kNoTag}), "a.mp3", Mp3Detection::notMp3, "", 0, 0},
    {"Id3v1InsideTheId3v2Tag",
     withTail(concat({id3v2Tag(3, 0, {0, 0, 14, 70}, 1862), kHeader8k8Mono, Bytes(68, 0)}), "TAG"), "a.mp3",
     Mp3Detection::mp3, "(id3v2_mp3)", 1872, 72},
    {"FirstFrameReadNearTheEnd", concat({Bytes(1500, 0), frames(kHeader8k8Mono, 72, 1)}), "a.mp3", Mp3Detection::mp3,
     "(id3v_mp3)", 1500, 72},
    {"DataSizePastTheEnd", riffFile({chunk("fmt ", mp3FmtPayload(2, 44100)), chunk("data", kNoTag, 0xFFFFFFF0)}),
     "a.wav", Mp3Detection::mp3, "(RIFF WAVE_mp3)", 58, 2926},  // the pad byte is the file's last
    // Fault 3: PCM in a RIFF WAVE is never scanned; a lone sync is no frame.
    {"PcmWaveNamedMp3", riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", kNoTag)}), "a.mp3",
     Mp3Detection::notMp3, "", 0, 0},
    {"RawSamplesWithALoneSync", concat({pattern(700), kHeader44k128, pattern(1200)}), "a.mp3", Mp3Detection::notMp3, "",
     0, 0},
    {"RiffWithoutFrames", riffFile({chunk("fmt ", mp3FmtPayload(2, 44100)), chunk("data", pattern(3000))}), "a.wav",
     Mp3Detection::notMp3, "", 0, 0},
};
class CraftedMp3 : public ::testing::TestWithParam<CraftedRow> {};
TEST_P(CraftedMp3, DetectionAndSource) {
    const CraftedRow& row = GetParam();
    const Detected d = detect(row.bytes, "C:\\m\\" + row.file);
    ASSERT_EQ(d.detection, row.detection);
    EXPECT_EQ(labelText(d.source.label), row.label);
    EXPECT_EQ(d.source.offset, row.offset);
    EXPECT_EQ(d.source.length, row.length);
}
INSTANTIATE_TEST_SUITE_P(Mp3, CraftedMp3, ::testing::ValuesIn(kCrafted),
                         [](const auto& row) { return std::string(row.param.name); });

// Fault 2: a short record is built from the frames; frames win over a record
// that names another rate or channel count; an agreeing record is kept.
TEST(Mp3Record, RiffRecordAgainstTheFrames) {
    struct Case {
        Bytes fmt;
        uint16_t channels;
        uint32_t rate;
        uint16_t blockSize;
    };
    const Case cases[] = {
        {mp3FmtPayload(2, 44100, 20), 2, 44100, 417}, {mp3FmtPayload(1, 22050), 2, 44100, 417},
        {mp3FmtPayload(1, 44100), 2, 44100, 417},     {mp3FmtPayload(2, 44100), 2, 44100, 500},
        {mp3FmtPayload(2, 44100, 40), 2, 44100, 500},
    };
    for (const Case& c : cases) {
        const Detected d = detect(riffFile({chunk("fmt ", c.fmt), chunk("data", kNoTag)}), "C:\\m\\a.wav");
        ASSERT_EQ(d.detection, Mp3Detection::mp3);
        EXPECT_EQ(d.source.format.channels, c.channels);
        EXPECT_EQ(d.source.format.samplesPerSecond, c.rate);
        EXPECT_EQ(d.source.format.blockSize, c.blockSize) << c.fmt.size();
        EXPECT_EQ(d.source.offset, 12 + 8 + c.fmt.size() + 8);
        EXPECT_EQ(d.frames.count, 7u);
    }
}

TEST(Mp3Frames, JunkBetweenFramesIsSteppedOver) {
    const Bytes junk{0xFF, 0xFB, 0x00, 0x00, 0xFF};
    const Bytes source = concat({frames(kHeader44k128, 417, 2), junk, frames(kHeader44k128, 417, 3)});
    Mp3Source mp3;
    mp3.format.samplesPerSecond = 44100;
    std::copy(kHeader44k128.begin(), kHeader44k128.end(), mp3.firstHeader.begin());
    const Mp3Frames f = countFrames(source.data(), source.size(), mp3);
    EXPECT_EQ(f.count, 5u);
    EXPECT_EQ(f.averageBitRate, 128u);
    mp3.format.samplesPerSecond = 44000;  // no row of the standard: nothing counts
    EXPECT_EQ(countFrames(source.data(), source.size(), mp3).count, 0u);
}

// Fault 7: sizes are 64-bit; a file the loader could not hold is refused first.
TEST(Mp3Frames, ExpectedSizeAndItsLimit) {
    Mp3Frames sevenHours{128, 1'000'000};
    EXPECT_EQ(expectedPcmBytes(sevenHours, 4, 44100), 4'608'000'000ull);
    EXPECT_EQ(expectedPcmBytes(sevenHours, 2, 22050), 1'152'000'000ull);
    const uint64_t largest = 0xFFFFFFFFull - 46 - 655360 * 4 - 4096;
    EXPECT_TRUE(checkConvertedSize(largest, 4).ok());
    const Status s = checkConvertedSize(largest + 1, 4);
    EXPECT_EQ(s.outcome, Outcome::refused);
    EXPECT_EQ(s.message.text, "残メモリが足りません。");
    EXPECT_EQ(s.message.caption, "エラー");
    EXPECT_FALSE(checkConvertedSize(4'608'000'000ull, 4).ok());
}

}  // namespace
