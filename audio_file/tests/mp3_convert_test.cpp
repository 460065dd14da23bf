#include "audio_file/mp3_convert.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "audio_file/converted_wave.h"
#include "audio_file/mp3_info.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"

namespace {

const std::string kDesktop = "C:\\Users\\u\\Desktop";
const std::string kMp3 = "D:\\music\\take1.mp3";

struct NameRow {
    const char* name;
    std::string desktop, mp3;
    std::vector<std::string> taken;
    std::string expected;  // empty: refused
};
const std::string kLongFolder = "C:\\" + std::string(240, 'f');  // 243 units
const NameRow kNames[] = {
    {"Plain", kDesktop, kMp3, {}, kDesktop + "\\take1_NEW.wav"},
    {"DesktopWithSeparator", kDesktop + "\\", "take1.MP3", {}, kDesktop + "\\take1_NEW.wav"},
    {"DotsInTheName", kDesktop, "D:\\a.b\\take.1.mp3", {}, kDesktop + "\\take.1_NEW.wav"},
    {"TakenOnce", kDesktop, kMp3, {kDesktop + "\\take1_NEW.wav"}, kDesktop + "\\take1_NEW_NEW.wav"},
    {"TakenTwice",
     kDesktop,
     kMp3,
     {kDesktop + "\\take1_NEW.wav", kDesktop + "\\take1_NEW_NEW.wav"},
     kDesktop + "\\take1_NEW_NEW_NEW.wav"},
    // 243 + 1 + 7 + 8 = 259 units: the longest name that fits.
    {"AtTheLimit", kLongFolder, "take123.mp3", {}, kLongFolder + "\\take123_NEW.wav"},
    {"PastTheLimit", kLongFolder, "take1234.mp3", {}, ""},
    {"TakenPastTheLimit", kLongFolder, "take123.mp3", {kLongFolder + "\\take123_NEW.wav"}, ""},
    // Japanese letters count one unit each, not their three UTF-8 bytes.
    {"JapaneseAtTheLimit", kLongFolder, "録音音声.mp3", {}, kLongFolder + "\\録音音声_NEW.wav"},
};
class ConvertedName : public ::testing::TestWithParam<NameRow> {};
TEST_P(ConvertedName, OnTheDesktopAndFree) {
    MemoryFileSystem fs;
    for (const std::string& t : GetParam().taken) fs.files[t] = {1};
    EXPECT_EQ(convertedWaveName(fs, GetParam().desktop, GetParam().mp3), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Mp3, ConvertedName, ::testing::ValuesIn(kNames),
                         [](const auto& row) { return std::string(row.param.name); });

// Source frames of 417 bytes, frame k beginning with k; each decodes to 8
// PCM bytes beginning with k, so the output shows every frame's fate.
constexpr uint32_t kSourceFrame = 417;
constexpr uint32_t kPcmFrame = 8;
Bytes sourceFrames(uint32_t count) {
    Bytes b(size_t(count) * kSourceFrame, 0xA5);
    for (uint32_t k = 0; k < count; ++k)
        for (int i = 0; i < 4; ++i) b[size_t(k) * kSourceFrame + i] = uint8_t(k >> (8 * i));
    return b;
}

struct FakeDecoder final : Mp3Decoder {
    enum class Fault { none, stalls, fails, overfills };
    uint32_t lag = 0;             // frames held back until the end
    bool halfUsed = false;        // takes half of what is offered
    bool leavesFragment = false;  // at the end, takes nothing short of a frame
    Fault fault = Fault::none;
    std::function<void()> duringCall;
    Bytes queue;  // taken bytes short of a whole frame
    std::deque<uint32_t> decoded;
    int firstCalls = 0;

    bool decode(const uint8_t* source, uint32_t bytes, uint8_t* destination, uint32_t room, bool first, bool end,
                uint32_t& used, uint32_t& produced) override {
        if (duringCall) duringCall();
        firstCalls += first;
        if (fault == Fault::fails) return false;
        used = produced = 0;
        if (fault == Fault::stalls) return true;
        used = halfUsed ? (bytes + 1) / 2 : bytes;
        if (leavesFragment && end && queue.size() + bytes < kSourceFrame) used = 0;
        queue.insert(queue.end(), source, source + used);
        for (; queue.size() >= kSourceFrame; queue.erase(queue.begin(), queue.begin() + kSourceFrame))
            decoded.push_back(uint32_t(getLe32(queue, 0)));
        const bool flushing = end && (used == bytes || leavesFragment);
        size_t give = flushing ? decoded.size() : decoded.size() > lag ? decoded.size() - lag : 0;
        give = std::min<size_t>(give, room / kPcmFrame);
        for (size_t i = 0; i < give; ++i, decoded.pop_front())
            for (uint32_t j = 0; j < kPcmFrame; ++j)
                destination[i * kPcmFrame + j] = uint8_t(decoded.front() >> (8 * (j % 4)));
        produced = uint32_t(give * kPcmFrame);
        if (fault == Fault::overfills && first) produced = room + 1;
        return true;
    }
};

const SampleFormat kPcm{1, 2, 44100, 176400, 4, 16};

struct Attempt {
    MemoryFileSystem fs;
    ScriptedProgress progress;
    std::string path = kDesktop + "\\take1_NEW.wav";
    Status status;
};
void convert(Attempt& r, FakeDecoder& decoder, const Bytes& source, uint32_t blockSize, uint32_t room = 64,
             uint64_t expected = 0) {
    const ConversionPlan plan{blockSize, room, expected};
    r.status = convertToWave(r.fs, r.path, kMp3, source.data(), source.size(), plan, kPcm, decoder, r.progress);
}

struct LoopRow {
    const char* name;
    uint32_t frames, blockSize, lag;
    bool halfUsed;
};
const LoopRow kLoops[] = {
    {"NoLag", 20, 1000, 0, false},
    {"OneFrameLag", 20, 1000, 1, false},
    // Fault 4: the last block ends the source; its frame comes only at the end.
    {"OneFrameLagEndingOnABlock", 40, kSourceFrame, 1, false},
    {"NoLagEndingOnABlock", 30, 2 * kSourceFrame, 0, false},
    {"HalfUsed", 25, 1000, 1, true},
    {"TwoFramesLagSmallBlocks", 12, 100, 2, false},
    {"HeldMoreThanOneCallGives", 30, 1000, 10, false},
};
class Conversion : public ::testing::TestWithParam<LoopRow> {};
TEST_P(Conversion, EveryFrameOnceInOrderWithItsHeader) {
    const LoopRow& row = GetParam();
    FakeDecoder decoder;
    decoder.lag = row.lag;
    decoder.halfUsed = row.halfUsed;
    Attempt r;
    bool finalNameSeen = false;  // fault 6: until the last byte is flushed the file has only a temporary name
    decoder.duringCall = [&] { finalNameSeen |= r.fs.exists(r.path); };
    convert(r, decoder, sourceFrames(row.frames), row.blockSize);
    ASSERT_TRUE(r.status.ok()) << r.status.message.text;
    EXPECT_FALSE(finalNameSeen);
    EXPECT_EQ(r.path, kDesktop + "\\take1_NEW.wav");
    ASSERT_EQ(r.fs.files.size(), 1u);  // no temporary file left
    const Bytes& file = r.fs.files[r.path];
    const uint32_t data = row.frames * kPcmFrame;
    ASSERT_EQ(file.size(), 46u + data);
    const uint32_t riff = 38 + data;
    const Bytes header{'R',
                       'I',
                       'F',
                       'F',
                       uint8_t(riff),
                       uint8_t(riff >> 8),
                       0,
                       0,
                       'W',
                       'A',
                       'V',
                       'E',
                       'f',
                       'm',
                       't',
                       ' ',
                       18,
                       0,
                       0,
                       0,
                       1,
                       0,
                       2,
                       0,
                       0x44,
                       0xAC,
                       0,
                       0,
                       0x10,
                       0xB1,
                       2,
                       0,
                       4,
                       0,
                       16,
                       0,
                       0,
                       0,
                       'd',
                       'a',
                       't',
                       'a',
                       uint8_t(data),
                       uint8_t(data >> 8),
                       0,
                       0};
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 46), header);
    for (uint32_t k = 0; k < row.frames; ++k) ASSERT_EQ(getLe32(file, 46 + k * kPcmFrame), k) << k;
    EXPECT_EQ(decoder.firstCalls, 1);
    EXPECT_EQ(r.progress.kind, ProgressKind::conversion);
    EXPECT_EQ(r.progress.steps, 100);
    EXPECT_EQ(r.progress.opens, 1);
    EXPECT_EQ(r.progress.closes, 1);
}
INSTANTIATE_TEST_SUITE_P(Mp3, Conversion, ::testing::ValuesIn(kLoops),
                         [](const auto& row) { return std::string(row.param.name); });

struct FailureRow {
    const char* name;
    std::function<void(Attempt&, FakeDecoder&)> arrange;
};
const FailureRow kFailures[] = {
    {"DecoderFails", [](Attempt&, FakeDecoder& d) { d.fault = FakeDecoder::Fault::fails; }},
    // Fault 5: a call that takes nothing and gives nothing would repeat forever.
    {"DecoderStalls", [](Attempt&, FakeDecoder& d) { d.fault = FakeDecoder::Fault::stalls; }},
    {"DecoderOverfills", [](Attempt&, FakeDecoder& d) { d.fault = FakeDecoder::Fault::overfills; }},
    {"Cancelled", [](Attempt& r, FakeDecoder&) { r.progress.cancelAtLook = 3; }},
    // Fault 6: a full disk or a lost flush leaves no half-written file.
    {"DiskFull", [](Attempt& r, FakeDecoder&) { r.fs.writeLimit = 100; }},
    {"FlushFails", [](Attempt& r, FakeDecoder&) { r.fs.flushFails = true; }},
    {"RenameFails", [](Attempt& r, FakeDecoder&) { r.fs.replaceFails = true; }},
    {"CreateFails", [](Attempt& r, FakeDecoder&) { r.fs.createFails = true; }},
};
class DecodeFailure : public ::testing::TestWithParam<FailureRow> {};
TEST_P(DecodeFailure, ConversionFailedAndNothingLeft) {
    FakeDecoder decoder;
    Attempt r;
    GetParam().arrange(r, decoder);
    convert(r, decoder, sourceFrames(20), 1000);
    EXPECT_EQ(r.status.outcome, Outcome::refused);
    EXPECT_EQ(r.status.message.text, "変換に失敗しました。");
    EXPECT_EQ(r.status.message.caption, kMp3);
    EXPECT_TRUE(r.fs.files.empty());
    EXPECT_EQ(r.progress.opens, r.progress.closes);
}
INSTANTIATE_TEST_SUITE_P(Mp3, DecodeFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& row) { return std::string(row.param.name); });

// Fault 7: refused before any file is made, with the loader's words.
TEST(ConversionRules, SizeTheLoaderCouldNotHoldIsRefusedFirst) {
    FakeDecoder decoder;
    Attempt r;
    convert(r, decoder, sourceFrames(20), 1000, 64, 4'608'000'000ull);
    EXPECT_EQ(r.status.message.text, "残メモリが足りません。");
    EXPECT_EQ(r.status.message.caption, "エラー");
    EXPECT_TRUE(r.fs.files.empty());
    EXPECT_EQ(r.progress.opens, 0);
}

TEST(ConversionRules, ACutLastFrameTheDecoderLeavesEndsTheLoop) {
    FakeDecoder decoder;
    decoder.leavesFragment = true;
    decoder.lag = 1;
    Attempt r;
    convert(r, decoder, concat({sourceFrames(9), Bytes(100, 0xA5)}), kSourceFrame);
    ASSERT_TRUE(r.status.ok());
    const Bytes& file = r.fs.files[r.path];
    ASSERT_EQ(file.size(), 46u + 9 * kPcmFrame);
    EXPECT_EQ(getLe32(file, 46 + 8 * kPcmFrame), 8u);
}

TEST(ConversionRules, ANameTakenMeanwhileGetsTheNextNew) {
    FakeDecoder decoder;
    Attempt r;
    decoder.duringCall = [&] { r.fs.files[kDesktop + "\\take1_NEW.wav"] = {7}; };
    convert(r, decoder, sourceFrames(5), 1000);
    ASSERT_TRUE(r.status.ok());
    EXPECT_EQ(r.path, kDesktop + "\\take1_NEW_NEW.wav");
    EXPECT_EQ(r.fs.files[kDesktop + "\\take1_NEW.wav"], Bytes{7});  // the other program's file stays
    EXPECT_EQ(r.fs.files[r.path].size(), 46u + 5 * kPcmFrame);
}

TEST(ConversionRules, DestinationHoldsAFrameAndWhatTheDecoderAsks) {
    Mp3Format fitted;
    fitted.samplesPerSecond = 8000;
    fitted.blockSize = 108;
    const SampleFormat mono{1, 1, 8000, 16000, 2, 16};
    ConversionPlan p;
    ASSERT_TRUE(planConversion(fitted, mono, 10, 0, p));
    EXPECT_EQ(p.blockSize, 108u);
    EXPECT_EQ(p.destinationBytes, 4608u);
    EXPECT_EQ(p.expectedBytes, 10u * 576 * 2);
    fitted.samplesPerSecond = 48000;
    const SampleFormat stereo{1, 2, 48000, 192000, 4, 16};
    ASSERT_TRUE(planConversion(fitted, stereo, 10, 9300, p));
    EXPECT_EQ(p.destinationBytes, 9300u);
    ASSERT_TRUE(planConversion(fitted, SampleFormat{1, 4, 48000, 0, 8, 16}, 10, 0, p));
    EXPECT_EQ(p.destinationBytes, 9216u);  // one frame of eight-byte blocks
}

// Fault 9: the bit rate multiplies before it divides.
TEST(Mp3Info, TextOfTheConvertedFile) {
    Mp3Origin mp3{"D:\\music\\take1.mp3", 1617408, Mp3Label::id3v2v1, {}};
    mp3.format.channels = 2;
    mp3.format.samplesPerSecond = 44100;
    mp3.format.averageBytesPerSecond = 12625;  // a 101 kbit/s VBR average
    const std::string wave = kDesktop + "\\take1_NEW.wav";
    EXPECT_EQ(mp3InfoText(wave, kPcm, mp3),
              "C:\\Users\\u\\Desktop\\take1_NEW.wav\n PCM 2CH 16BIT 44100SAMPLE\n\n参照mp3ファイル (サイズ 1617408 "
              "byte)\nD:\\music\\take1.mp3\n MP3 2CH 101Kbps 44100SAMPLE");
    mp3.label = Mp3Label::riffWave;
    mp3.format.averageBytesPerSecond = 16000;
    EXPECT_NE(mp3InfoText(wave, kPcm, mp3).find("\n RIFF/WAVE MP3 2CH 128Kbps 44100SAMPLE"), std::string::npos);
}

}  // namespace
