#include "audio_file/wave_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "audio_file/file_image.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/wave_builder.h"

namespace {

// Texts typed from the product's wording, not copied from the code.
const std::string kRiffText = "Velkorでは処理できないファイルです。";
const std::string kRiffTextBackup = "Velkorでは処理できないか、ここへ設定できないファイルです。";
const std::string kDamagedText = "このウェーブファイルは破損しています。";
const std::string kNotPcmText = "対応できないフォーマットか、ここへ設定できないファイルです。";
const std::string kUnsupportedText = "対応できないフォーマットです。";

Bytes withFmt(const FmtFields& f, size_t dataBytes = 400) {
    return riffFile({chunk("fmt ", fmtPayload(f)), chunk("data", pattern(dataBytes))});
}
Bytes truncated(Bytes b, size_t n) {
    b.resize(n);
    return b;
}
FmtFields with(FmtFields f, void (*change)(FmtFields&)) {
    change(f);
    return f;
}

struct Refusal {
    const char* name;
    Bytes bytes;
    FileRole role;
    std::string text;
    std::string caption;
    void (*arrange)(MemoryFileSystem&) = nullptr;
    bool foreground = true;
};

const FmtFields kStereo16 = pcmFormat(2, 16);

// An extensible record (24-bit stereo unless changed) with one byte run
// replaced: at `at` in the 40-byte payload, or the payload cut to `length`.
Bytes extensible(FmtFields f, std::initializer_list<std::pair<size_t, uint8_t>> changes = {}, size_t length = 40) {
    Bytes payload = extensibleFmtPayload(f);
    for (auto [at, value] : changes) payload[at] = value;
    payload.resize(length);
    return riffFile({chunk("fmt ", payload), chunk("fact", pattern(4)), chunk("data", pattern(600))});
}
const FmtFields kStereo24 = pcmFormat(2, 24);

const Refusal kRefusals[] = {
    {"Empty", {}, FileRole::edit, kRiffText, "RIFF検出"},
    {"EmptyAsBackup", {}, FileRole::backup, kRiffTextBackup, "RIFF検出"},
    {"RifxTag", concat({Bytes{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}}), FileRole::edit, kRiffText,
     "RIFF検出"},
    {"AviForm", concat({Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}}), FileRole::backup, kRiffTextBackup,
     "RIFF検出"},
    {"Mp3Bytes", concat({Bytes{0xFF, 0xFB, 0x90, 0x64}, pattern(2000)}), FileRole::edit, kRiffText, "RIFF検出"},
    {"NoFmt", riffFile({chunk("data", pattern(40))}), FileRole::edit, kDamagedText, "fmt 検出"},
    {"FmtOf15Bytes", riffFile({chunk("fmt ", fmtPayload(kStereo16, 15)), chunk("data", pattern(40))}), FileRole::edit,
     kDamagedText, "fmt 検出"},
    {"FmtCutByEndOfFile", truncated(withFmt(kStereo16), 30), FileRole::edit, kDamagedText, "fmt 検出"},
    {"NoData", riffFile({chunk("fmt ", fmtPayload(kStereo16))}), FileRole::edit, kDamagedText, "data検出"},
    {"DataBeforeFmt", riffFile({chunk("data", pattern(40)), chunk("fmt ", fmtPayload(kStereo16))}), FileRole::edit,
     kDamagedText, "data検出"},
    {"FmtSizeRunsPastEnd", riffFile({chunk("fmt ", fmtPayload(kStereo16), 5000), chunk("data", pattern(40))}),
     FileRole::edit, kDamagedText, "data検出"},
    {"FloatTag", withFmt(with(kStereo16, [](FmtFields& f) { f.tag = 3; })), FileRole::edit, kNotPcmText, "fmt 検出"},
    {"ExtensibleTag", withFmt(with(kStereo16, [](FmtFields& f) { f.tag = 0xFFFE; })), FileRole::backup, kNotPcmText,
     "fmt 検出"},
    {"ExtensibleFloatSubFormat", extensible(kStereo24, {{24, 3}}), FileRole::edit, kNotPcmText, "fmt 検出"},
    {"ExtensibleValidBits20In24", extensible(kStereo24, {{18, 20}}), FileRole::edit, kNotPcmText, "fmt 検出"},
    {"ExtensibleCbSize21", extensible(kStereo24, {{16, 21}}), FileRole::edit, kNotPcmText, "fmt 検出"},
    {"ExtensibleFmtOf38Bytes", extensible(kStereo24, {}, 38), FileRole::edit, kNotPcmText, "fmt 検出"},
    {"ExtensibleThreeChannels", extensible(pcmFormat(3, 16)), FileRole::edit, kNotPcmText, "fmt 検出"},
    {"Extensible32Bits", extensible(pcmFormat(2, 32)), FileRole::backup, kNotPcmText, "fmt 検出"},
    {"ExtensibleBlockAlignNotFrame", extensible(with(kStereo24, [](FmtFields& f) { f.align = 8; })), FileRole::edit,
     kUnsupportedText, "fmt 検出"},
    {"Channels0", withFmt(with(kStereo16, [](FmtFields& f) { f.channels = 0; })), FileRole::edit, kUnsupportedText,
     "fmt 検出"},
    {"Channels3", withFmt(with(pcmFormat(2, 16), [](FmtFields& f) { f.channels = 3, f.align = 6; })), FileRole::edit,
     kUnsupportedText, "fmt 検出"},
    {"Bits12", withFmt(with(kStereo16, [](FmtFields& f) { f.bits = 12; })), FileRole::edit, kUnsupportedText,
     "fmt 検出"},
    {"Bits32", withFmt(with(pcmFormat(2, 16), [](FmtFields& f) { f.bits = 32, f.align = 8; })), FileRole::edit,
     kUnsupportedText, "fmt 検出"},
    {"BlockAlign0", withFmt(with(kStereo16, [](FmtFields& f) { f.align = 0; })), FileRole::edit, kUnsupportedText,
     "fmt 検出"},
    {"BlockAlignNotFrame", withFmt(with(kStereo16, [](FmtFields& f) { f.align = 3; })), FileRole::edit,
     kUnsupportedText, "fmt 検出"},
    {"Rate0", withFmt(with(kStereo16, [](FmtFields& f) { f.rate = 0; })), FileRole::edit, kUnsupportedText, "fmt 検出"},
    {"Rate99", withFmt(with(kStereo16, [](FmtFields& f) { f.rate = 99; })), FileRole::edit, kUnsupportedText,
     "fmt 検出"},
    {"EmptyData", withFmt(kStereo16, 0), FileRole::edit, kDamagedText, "data検出"},
    {"DataShorterThanAFrame", withFmt(kStereo16, 3), FileRole::edit, kDamagedText, "data検出"},
    {"DataHeaderAtEndOfFile",
     riffFile({chunk("fmt ", fmtPayload(kStereo16)), Bytes{'d', 'a', 't', 'a', 0x10, 0, 0, 0}}), FileRole::edit,
     kDamagedText, "data検出"},
    {"FirstOpenFailsIsAPlainBox",
     {},
     FileRole::edit,
     "ファイルサイズの取得に失敗しました。",
     "ファイルのオープン",
     [](MemoryFileSystem& fs) { fs.files.clear(); },
     false},
    {"SecondOpenFailsInTheChunkStep", simpleWave(2, 16, 100), FileRole::edit, "ファイルのオープンに失敗しました。",
     "チャンク検出", [](MemoryFileSystem& fs) { fs.opensBeforeFailure = 1; }},
    {"FileBeyond32Bits", simpleWave(2, 16, 100), FileRole::edit, kRiffText, "RIFF検出",
     [](MemoryFileSystem& fs) { fs.sizeOverride = 0x100000000ull; }},
    {"FileBeyond32BitsAsBackup", simpleWave(2, 16, 100), FileRole::backup, kRiffTextBackup, "RIFF検出",
     [](MemoryFileSystem& fs) { fs.sizeOverride = 0x100000000ull; }},
};

class WaveRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(WaveRefusal, ShowsExactMessageAndKeepsEarlierValues) {
    MemoryFileSystem fs;
    fs.files["f.wav"] = GetParam().bytes;
    if (GetParam().arrange) GetParam().arrange(fs);
    WaveInfo info;
    info.dataOffset = 1234;  // an earlier accepted file's values
    info.imageSize = 5678;
    const Status s = validateWave(fs, "f.wav", GetParam().role, info);
    EXPECT_EQ(s.outcome, Outcome::refused);
    EXPECT_EQ(s.message.text, GetParam().text);
    EXPECT_EQ(s.message.caption, GetParam().caption);
    EXPECT_EQ(s.message.foreground, GetParam().foreground);
    EXPECT_EQ(s.message.buttons, Buttons::ok);
    EXPECT_EQ(info.dataOffset, 1234u);
    EXPECT_EQ(info.imageSize, 5678u);
}

INSTANTIATE_TEST_SUITE_P(Validation, WaveRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& row) { return std::string(row.param.name); });

struct Acceptance {
    const char* name;
    Bytes bytes;
    FileRole role;
    uint32_t dataOffset, dataEnd, imageSize;
    bool repaired;
};

Bytes dataPastEnd() {  // size field claims 1000 bytes, 400 are there
    return riffFile({chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400), 1000)}, 1036);
}
Bytes nearMaxDataSize() {
    return riffFile({chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400), 0xFFFFFFF0)}, 1036);
}
Bytes partialLastBlock() {  // 4n + 2 bytes of stereo 16-bit data
    return riffFile({chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(402))});
}
Bytes extraBytesAfterRiff() {  // the RIFF size covers the data but not the 30 bytes
    return concat({riffFile({chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400))}), pattern(30)});
}

const Acceptance kAccepted[] = {
    {"Canonical16Stereo", simpleWave(2, 16, 100), FileRole::edit, 44, 444, 444, false},
    {"Fmt18", riffFile({chunk("fmt ", fmtPayload(kStereo16, 18)), chunk("data", pattern(400))}), FileRole::edit, 46,
     446, 446, false},
    {"Fmt40", riffFile({chunk("fmt ", fmtPayload(kStereo16, 40)), chunk("data", pattern(400))}), FileRole::edit, 68,
     468, 468, false},
    {"ListBeforeFmt",
     riffFile({chunk("LIST", pattern(10)), chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400))}),
     FileRole::edit, 62, 462, 462, false},
    {"ListAfterDataCoveredByRiff",
     riffFile({chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400)), chunk("LIST", pattern(26))}),
     FileRole::edit, 44, 444, 478, false},
    {"OddChunkPadded",
     riffFile({chunk("junk", pattern(3)), chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400))}),
     FileRole::edit, 56, 456, 456, false},
    {"ChunkBetweenFmtAndData",
     riffFile({chunk("fmt ", fmtPayload(kStereo16)), chunk("fact", pattern(4)), chunk("data", pattern(400))}),
     FileRole::edit, 56, 456, 456, false},
    {"ExtraBytesAfterRiff", extraBytesAfterRiff(), FileRole::edit, 44, 444, 474, false},
    {"DataPastEndOfFile", dataPastEnd(), FileRole::edit, 44, 444, 444, true},
    {"DataSizeNearMax", nearMaxDataSize(), FileRole::edit, 44, 444, 444, true},
    {"PartialLastBlock", partialLastBlock(), FileRole::edit, 44, 444, 444, true},
    {"UnsoundBackupSilently", partialLastBlock(), FileRole::backup, 44, 444, 444, false},
    {"Mono8", simpleWave(1, 8, 100), FileRole::edit, 44, 144, 144, false},
    {"Stereo8", simpleWave(2, 8, 100), FileRole::edit, 44, 244, 244, false},
    {"Mono16", simpleWave(1, 16, 100), FileRole::edit, 44, 244, 244, false},
    {"Mono24", simpleWave(1, 24, 100), FileRole::edit, 44, 344, 344, false},
    {"Stereo24", simpleWave(2, 24, 100), FileRole::edit, 44, 644, 644, false},
    {"OneFrame", simpleWave(2, 16, 1), FileRole::edit, 44, 48, 48, false},
    {"Extensible24Stereo", extensible(kStereo24), FileRole::edit, 80, 680, 680, false},
    {"Extensible16MonoWithMask",
     riffFile({chunk("fmt ", extensibleFmtPayload(pcmFormat(1, 16), 4)), chunk("data", pattern(400))}),
     FileRole::backup, 68, 468, 468, false},
    {"Extensible8Stereo", extensible(pcmFormat(2, 8)), FileRole::edit, 80, 680, 680, false},
    {"ExtensibleLongerExtension",
     riffFile({chunk("fmt ", concat({extensibleFmtPayload(kStereo24), Bytes{0, 0}})), chunk("data", pattern(600))}),
     FileRole::edit, 70, 670, 670, false},
};

class WaveAccepted : public ::testing::TestWithParam<Acceptance> {};

TEST_P(WaveAccepted, TakesSizeFields) {
    const Acceptance& row = GetParam();
    MemoryFileSystem fs;
    fs.files["f.wav"] = row.bytes;
    WaveInfo info;
    info.headerRepaired = !row.repaired;  // must be overwritten either way
    const Status s = validateWave(fs, "f.wav", row.role, info);
    ASSERT_TRUE(s.ok()) << s.message.text;
    EXPECT_EQ(info.dataOffset, row.dataOffset);
    EXPECT_EQ(info.dataEnd, row.dataEnd);
    EXPECT_EQ(info.imageSize, row.imageSize);
    EXPECT_EQ(info.headerRepaired, row.repaired);
    EXPECT_EQ(s.message.empty(), !row.repaired);  // the report is shown exactly when repaired
    EXPECT_EQ(info.frameBytes, info.format.blockAlign);
    EXPECT_EQ(info.bytesPerSample, info.format.bitsPerSample / 8u);
}

INSTANTIATE_TEST_SUITE_P(Validation, WaveAccepted, ::testing::ValuesIn(kAccepted),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RepairReport, ExactTextForDataPastEndOfFile) {
    MemoryFileSystem fs;
    fs.files["C:\\rec\\take1.wav"] = dataPastEnd();
    WaveInfo info;
    const Status s = validateWave(fs, "C:\\rec\\take1.wav", FileRole::edit, info);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(s.message.caption, "C:\\rec\\take1.wav");
    EXPECT_EQ(s.message.buttons, Buttons::ok);
    EXPECT_EQ(s.message.text,
              "このウェーブファイルは破損しているので保存時は下記のように修正します。\n\n"
              "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000元のデータ\u3000"
              "修正後のデータ\u3000( 増減 )\n"
              "1: RIFFチャンクサイズ 1036\u3000436\u3000( -600 )\n"
              "2: 音声データサイズ   1000\u3000400\u3000( -600 )\n"
              "3: ファイルサイズ       444\u3000444\u3000( 0 )");
}

TEST(RepairReport, LargeValuesPrintUnsigned) {
    const std::string t = repairReportText(0xFFFFFFF0u, 0xF0000000u, 0xFFFFFFF0u, 0xEFFFFFD4u, 0xF0000010u);
    EXPECT_NE(t.find("1: RIFFチャンクサイズ 4294967280\u30004026531832\u3000( -268435448 )"), std::string::npos) << t;
    EXPECT_NE(t.find("2: 音声データサイズ   4294967280\u30004026531796\u3000( -268435484 )"), std::string::npos);
    EXPECT_NE(t.find("3: ファイルサイズ       4026531856\u30004026531840\u3000( -16 )"), std::string::npos);
}

TEST(WaveFormatRecord, KeepsOnlyTheFirst16Bytes) {
    FmtFields f = pcmFormat(1, 24, 48000);
    Bytes payload = fmtPayload(f, 40);
    for (size_t i = 16; i < 40; ++i) payload[i] = 0xEE;
    MemoryFileSystem fs;
    fs.files["f.wav"] = riffFile({chunk("fmt ", payload), chunk("data", pattern(300))});
    WaveInfo info;
    ASSERT_TRUE(validateWave(fs, "f.wav", FileRole::edit, info).ok());
    EXPECT_EQ(info.format.formatTag, 1);
    EXPECT_EQ(info.format.channels, 1);
    EXPECT_EQ(info.format.samplesPerSecond, 48000u);
    EXPECT_EQ(info.format.averageBytesPerSecond, 144000u);
    EXPECT_EQ(info.format.blockAlign, 3);
    EXPECT_EQ(info.format.bitsPerSample, 24);
}

TEST(WaveFormatRecord, ExtensibleKeepsItsTagAndLoadsWithItsHeader) {
    MemoryFileSystem fs;
    fs.files["f.wav"] = extensible(kStereo24);
    WaveInfo info;
    ASSERT_TRUE(validateWave(fs, "f.wav", FileRole::edit, info).ok());
    EXPECT_EQ(info.format.formatTag, 0xFFFE);  // a backup must match it byte for byte
    EXPECT_EQ(info.bytesPerSample, 3u);
    EXPECT_EQ(info.frameBytes, 6u);
    FileImage image;
    SilentProgress progress;
    ASSERT_TRUE(loadFileImage(fs, "f.wav", info, 1ull << 40, image, progress).ok());
    const Bytes& file = fs.files["f.wav"];
    ASSERT_EQ(image.imageSize, file.size());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), image.bytes()));  // saved back as it came
}

}  // namespace
