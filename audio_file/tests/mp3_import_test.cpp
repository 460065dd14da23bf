#include "audio_file/mp3_import.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "audio_file/tests/fake_mp3_codec.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"

namespace {

const std::string kDesktop = "C:\\Users\\u\\Desktop";
const std::string kMp3 = "D:\\music\\take1.mp3";

struct Imported {
    MemoryFileSystem fs;
    SilenceCodec codec;
    ScriptedProgress progress;
    Mp3Import result;
};
void importLame(Imported& i, const std::string& file, const std::string& desktop = kDesktop) {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/audio_file/tests/data/" + file, std::ios::binary);
    i.fs.files[kMp3] = Bytes(std::istreambuf_iterator<char>(in), {});
    Mp3Source mp3;
    ASSERT_EQ(detectMp3(i.fs, kMp3, i.progress, mp3), Mp3Detection::mp3);
    i.result = importMp3(i.fs, desktop, kMp3, mp3, i.codec, i.progress);
}

TEST(Mp3Import, OpensTheCodecWithTheAverageAndWritesTheFile) {
    struct Case {
        const char* file;
        uint16_t blockSize;
        uint32_t averageBytes;
        uint64_t size;
    };
    for (const Case& c : {Case{"cbr_info.mp3", 417, 16000, 3342}, Case{"vbr_xing.mp3", 476, 18250, 3755},
                          Case{"mono22k.mp3", 208, 8000, 2297}}) {  // halved below 32 kHz
        Imported i;
        importLame(i, c.file);
        ASSERT_TRUE(i.result.converted) << c.file;
        EXPECT_TRUE(i.result.messages.empty());
        EXPECT_EQ(i.result.wavePath, kDesktop + "\\take1_NEW.wav");
        EXPECT_EQ(i.codec.opened.blockSize, c.blockSize);
        EXPECT_EQ(i.codec.opened.averageBytesPerSecond, c.averageBytes);
        EXPECT_EQ(i.result.origin.size, c.size);
        EXPECT_EQ(i.result.origin.format.averageBytesPerSecond, c.averageBytes);
        EXPECT_EQ(i.result.origin.label, Mp3Label::plain);
        EXPECT_GT(i.fs.files[i.result.wavePath].size(), 46u);
        EXPECT_EQ(i.fs.files.size(), 2u);  // the MP3 and its WAVE file
    }
}

struct FailureRow {
    const char* name;
    std::string desktop;
    void (*arrange)(Imported&);
    std::vector<std::pair<std::string, std::string>> messages;  // text, caption
};
const FailureRow kFailures[] = {
    {"NoDesktopPath",
     "",
     nullptr,
     {{"デスクトップのパス取得に失敗しました。", ""}, {"保存ファイル名の設定ができませんでした。", kMp3}}},
    {"NameTooLong", "C:\\" + std::string(250, 'd'), nullptr, {{"保存ファイル名の設定ができませんでした。", kMp3}}},
    {"Mp3CannotBeOpened",
     kDesktop,
     [](Imported& i) { i.fs.opensBeforeFailure = i.fs.opens; },
     {{"変換保存に失敗しました。", kMp3}}},
    {"Mp3CannotBeRead", kDesktop, [](Imported& i) { i.fs.readLimit = 1000; }, {{"変換に失敗しました。", kMp3}}},
    {"CodecRefuses", kDesktop, [](Imported& i) { i.codec.refuses = true; }, {{"変換に失敗しました。", kMp3}}},
};
class Mp3ImportFailure : public ::testing::TestWithParam<FailureRow> {};
TEST_P(Mp3ImportFailure, MessagesInOrderAndNothingOnTheDesktop) {
    Imported i;
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/audio_file/tests/data/cbr_info.mp3", std::ios::binary);
    i.fs.files[kMp3] = Bytes(std::istreambuf_iterator<char>(in), {});
    Mp3Source mp3;
    ASSERT_EQ(detectMp3(i.fs, kMp3, i.progress, mp3), Mp3Detection::mp3);
    if (GetParam().arrange) GetParam().arrange(i);
    const Mp3Import r = importMp3(i.fs, GetParam().desktop, kMp3, mp3, i.codec, i.progress);
    EXPECT_FALSE(r.converted);
    std::vector<std::pair<std::string, std::string>> shown;
    for (const Message& m : r.messages) shown.emplace_back(m.text, m.caption);
    EXPECT_EQ(shown, GetParam().messages);
    EXPECT_EQ(i.fs.files.size(), 1u);  // the MP3 alone
}
INSTANTIATE_TEST_SUITE_P(Mp3, Mp3ImportFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
