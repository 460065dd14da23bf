#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/file_select.h"
#include "audio_file/tests/fake_mp3_codec.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/wave_builder.h"

namespace {

const std::string kDesktop = "C:\\Users\\u\\Desktop";

SilenceCodec twoChannels() {
    SilenceCodec c;
    c.channels = 2;
    c.blockOutput = 4608;
    return c;
}

Bytes lameFile() {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/audio_file/tests/data/cbr_info.mp3", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Dialog {
    MemoryFileSystem fs;
    SilenceCodec codec = twoChannels();
    SilentProgress progress;
    FileChoice choice;
    SetFileResult set(const std::string& path, FileRole role = FileRole::edit) {
        return setChoiceFile(fs, choice, path, role, progress, {&codec, kDesktop});
    }
    Dialog() {
        fs.files["D:\\take1.mp3"] = lameFile();
        fs.files["D:\\take2.mp3"] = lameFile();
        fs.files["D:\\take3.wav"] = simpleWave(2, 16, 1000);
    }
};

const std::string kTake1 = kDesktop + "\\take1_NEW.wav";
const std::string kTake2 = kDesktop + "\\take2_NEW.wav";

TEST(SetChoiceMp3, SecondMp3LeavesOnlyItsFileAndOkDeletesItForAWave) {
    Dialog d;
    ASSERT_TRUE(d.set("D:\\take1.mp3").accepted);
    EXPECT_EQ(d.choice.editPath, kTake1);
    EXPECT_EQ(d.choice.editOrigin.path, "D:\\take1.mp3");
    EXPECT_TRUE(d.fs.exists(kTake1));
    const SetFileResult second = d.set("D:\\take2.mp3");
    ASSERT_TRUE(second.accepted);
    EXPECT_TRUE(second.messages.empty());  // a ".wav" file: no extension warning
    EXPECT_FALSE(d.fs.exists(kTake1));
    EXPECT_TRUE(d.fs.exists(kTake2));
    // A WAVE file set later leaves the converted file until OK.
    ASSERT_TRUE(d.set("D:\\take3.wav").accepted);
    EXPECT_EQ(d.choice.editOrigin.label, Mp3Label::none);
    EXPECT_TRUE(d.fs.exists(kTake2));
    const OkNames names = okNames(d.fs, d.choice);
    EXPECT_EQ(names.saveFileName, "D:\\take3_N.wav");
    EXPECT_FALSE(names.convertedFromMp3);
    EXPECT_FALSE(d.fs.exists(kTake2));
    EXPECT_TRUE(d.choice.convertedWave.empty());
}

TEST(SetChoiceMp3, RefusedConversionIsDeletedAndTheEarlierOneStaysSet) {
    Dialog d;
    ASSERT_TRUE(d.set("D:\\take1.mp3").accepted);
    d.codec.channels = 3;
    const SetFileResult r = d.set("D:\\take2.mp3");
    EXPECT_FALSE(r.accepted);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "対応できないフォーマットです。");
    EXPECT_FALSE(d.fs.exists(kTake2));
    EXPECT_TRUE(d.fs.exists(kTake1));
    EXPECT_EQ(d.choice.editPath, kTake1);
    EXPECT_EQ(d.choice.convertedWave, kTake1);
    const OkNames names = okNames(d.fs, d.choice);
    EXPECT_EQ(names.saveFileName, kTake1);
    EXPECT_TRUE(names.convertedFromMp3);
    EXPECT_TRUE(d.fs.exists(kTake1));
    cancelChoice(d.fs, d.choice);
    EXPECT_FALSE(d.fs.exists(kTake1));
    EXPECT_TRUE(d.choice.editPath.empty());
}

// A converted file later chosen by its own name belongs to the user: neither
// OK, Cancel nor another MP3 may delete it.
TEST(SetChoiceMp3, ConvertedFileChosenByNameIsKept) {
    struct Case {
        const char* name;
        void (*choose)(Dialog&);
    } cases[] = {
        {"as the edit file, then OK",
         [](Dialog& d) {
             ASSERT_TRUE(d.set(kTake1).accepted);
             okNames(d.fs, d.choice);
         }},
        {"as the edit file, then Cancel",
         [](Dialog& d) {
             ASSERT_TRUE(d.set(kTake1).accepted);
             cancelChoice(d.fs, d.choice);
         }},
        {"as the backup, then OK",
         [](Dialog& d) {
             ASSERT_TRUE(d.set("D:\\take3.wav").accepted);
             ASSERT_TRUE(d.set(kTake1, FileRole::backup).accepted);
             okNames(d.fs, d.choice);
         }},
        {"as the backup, then another MP3",
         [](Dialog& d) {
             ASSERT_TRUE(d.set(kTake1, FileRole::backup).accepted);
             ASSERT_TRUE(d.set("D:\\take2.mp3").accepted);
             EXPECT_TRUE(d.fs.exists(kTake2));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dialog d;
        ASSERT_TRUE(d.set("D:\\take1.mp3").accepted);
        c.choose(d);
        EXPECT_TRUE(d.fs.exists(kTake1));
    }
}

TEST(SetChoiceMp3, Mp3AsBackupIsRefusedWithoutConversion) {
    Dialog d;
    const SetFileResult r = d.set("D:\\take1.mp3", FileRole::backup);
    EXPECT_FALSE(r.accepted);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Velkorでは処理できないか、ここへ設定できないファイルです。");
    EXPECT_EQ(r.messages[0].caption, "RIFF検出");
    EXPECT_EQ(d.fs.files.size(), 3u);
}

TEST(SetChoiceMp3, InformationBoxShowsTheMp3) {
    Dialog d;
    ASSERT_TRUE(d.set("D:\\take1.mp3").accepted);
    const Message m = editFileInfo(d.choice);
    EXPECT_EQ(m.text, kTake1 +
                          "\n PCM 2CH 16BIT 44100SAMPLE\n\n参照mp3ファイル (サイズ 3342 byte)\nD:\\take1.mp3\n MP3 2CH "
                          "128Kbps 44100SAMPLE");
    EXPECT_TRUE(m.foreground);
}

}  // namespace
