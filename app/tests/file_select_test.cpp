#include "app/file_select.h"

#include <gtest/gtest.h>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"
#include "resources/ids.h"

namespace {

// Texts typed from the product's wording, not copied from the code.
const std::string kMismatch = "編集ファイルとバックアップファイルのフォーマットが一致していません。";
const std::string kShort = "編集ファイルよりバックアップファイルの音声データ数が少ないため設定できません。";
const std::string kExtension = "拡張子が WAV ではありません。";

WaveInfo waveInfo(uint16_t channels, uint16_t bits, uint32_t rate, uint32_t dataBytes, uint32_t dataOffset = 44) {
    WaveInfo info;
    info.format = {1, channels, rate, rate * channels * bits / 8u, uint16_t(channels * bits / 8), bits};
    info.dataOffset = dataOffset;
    info.dataEnd = dataOffset + dataBytes;
    info.imageSize = info.dataEnd;
    info.bytesPerSample = bits / 8u;
    info.frameBytes = info.bytesPerSample * channels;
    return info;
}

struct BackupCase {
    const char* name;
    WaveInfo backup;
    std::string text;  // empty: accepted
};

const WaveInfo kEdit = waveInfo(2, 16, 44100, 400000);

WaveInfo changed(WaveInfo info, void (*change)(WaveInfo&)) {
    change(info);
    return info;
}

const BackupCase kBackups[] = {
    {"SameFormatSameLength", kEdit, ""},
    {"LongerBackup", waveInfo(2, 16, 44100, 400004), ""},
    {"DataElsewhereSameLength", waveInfo(2, 16, 44100, 400000, 80), ""},
    {"OtherRate", waveInfo(2, 16, 48000, 400000), kMismatch},
    {"OtherBits", waveInfo(2, 24, 44100, 600000), kMismatch},
    {"Mono", waveInfo(1, 16, 44100, 400000), kMismatch},
    {"SameRateAndBitsOtherBlockAlign", changed(kEdit, [](WaveInfo& i) { i.format.blockAlign = 8; }), kMismatch},
    {"SameRateAndBitsOtherAverageBytes", changed(kEdit, [](WaveInfo& i) { i.format.averageBytesPerSecond = 176401; }),
     kMismatch},
    {"ShorterByOneFrame", waveInfo(2, 16, 44100, 399996), kShort},
    {"MismatchTestedFirst", waveInfo(1, 16, 44100, 4), kMismatch},
};

class BackupCheck : public ::testing::TestWithParam<BackupCase> {};

TEST_P(BackupCheck, RefusesWithExactMessage) {
    const BackupCase& c = GetParam();
    const Status s = checkBackup(kEdit, c.backup);
    if (c.text.empty()) {
        EXPECT_TRUE(s.ok());
        EXPECT_TRUE(s.message.empty());
        return;
    }
    EXPECT_EQ(s.outcome, Outcome::refused);
    EXPECT_EQ(s.message.text, c.text);
    EXPECT_EQ(s.message.caption, "エラー");
    EXPECT_EQ(s.message.buttons, Buttons::ok);
    EXPECT_TRUE(s.message.foreground);
}

INSTANTIATE_TEST_SUITE_P(Backups, BackupCheck, ::testing::ValuesIn(kBackups),
                         [](const auto& row) { return std::string(row.param.name); });

struct Choice {
    const char* name;
    Bytes bytes;
    std::string path;
    FileRole role;
    bool accepted;
    std::string text, caption;  // the one message; empty: none
};
const Choice kChoices[] = {
    {"WaveFileForTheEditRole", simpleWave(2, 16, 1000), "C:\\a\\take1.wav", FileRole::edit, true, "", ""},
    {"UpperCaseExtensionNeedsNoWarning", simpleWave(1, 8, 100), "take1.WAV", FileRole::backup, true, "", ""},
    {"OtherExtensionIsSetWithAWarning", simpleWave(1, 16, 100), "take1.wave", FileRole::edit, true, kExtension, "確認"},
    // No extension warning after a refusal.
    {"RefusedMp3", concat({Bytes{0xFF, 0xFB, 0x90, 0x64}, pattern(4000)}), "song.mp3", FileRole::edit, false,
     "Velkorでは処理できないファイルです。", "RIFF検出"},
    {"RefusedInTheBackupRole", Bytes(200, 'x'), "notes.wav", FileRole::backup, false,
     "Velkorでは処理できないか、ここへ設定できないファイルです。", "RIFF検出"},
};
class SetChoice : public ::testing::TestWithParam<Choice> {};
TEST_P(SetChoice, SetsOnlyItsRoleOrKeepsTheEarlierChoice) {
    const Choice& c = GetParam();
    MemoryFileSystem fs;
    fs.files["old.wav"] = simpleWave(2, 16, 3000);
    fs.files[c.path] = c.bytes;
    FileChoice choice;
    SilentProgress progress;
    ASSERT_TRUE(setChoiceFile(fs, choice, "old.wav", FileRole::edit, progress).accepted);
    ASSERT_TRUE(setChoiceFile(fs, choice, "old.wav", FileRole::backup, progress).accepted);
    const SetFileResult r = setChoiceFile(fs, choice, c.path, c.role, progress);
    EXPECT_EQ(r.accepted, c.accepted);
    ASSERT_EQ(r.messages.size(), c.text.empty() ? 0u : 1u);
    if (!c.text.empty()) {
        EXPECT_EQ(r.messages[0].text, c.text);
        EXPECT_EQ(r.messages[0].caption, c.caption);
        EXPECT_EQ(r.messages[0].buttons, Buttons::ok);
    }
    const bool edit = c.role == FileRole::edit;
    EXPECT_EQ(edit ? choice.editPath : choice.backupPath, c.accepted ? c.path : "old.wav");
    EXPECT_EQ(edit ? choice.backupPath : choice.editPath, "old.wav");
    const WaveInfo& info = edit ? choice.edit : choice.backup;
    EXPECT_EQ(info.dataEnd, c.accepted ? c.bytes.size() : 44u + 12000u);
    EXPECT_EQ((edit ? choice.backup : choice.edit).dataEnd, 44u + 12000u);
}
INSTANTIATE_TEST_SUITE_P(SetChoiceFile, SetChoice, ::testing::ValuesIn(kChoices),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SetChoiceFile, RepairReportComesBeforeTheExtensionWarning) {
    MemoryFileSystem fs;
    Bytes damaged = simpleWave(2, 16, 1000);
    damaged.resize(3044);  // the data chunk runs 1000 bytes past the end
    fs.files["damaged.wv"] = damaged;
    FileChoice choice;
    SilentProgress progress;
    const SetFileResult r = setChoiceFile(fs, choice, "damaged.wv", FileRole::edit, progress);
    EXPECT_TRUE(r.accepted);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].caption, "damaged.wv");
    EXPECT_EQ(r.messages[1].text, kExtension);
    EXPECT_TRUE(choice.edit.headerRepaired);
}

TEST(SetChoiceFile, CancelledChunkWalkKeepsTheEarlierChoice) {
    MemoryFileSystem fs;
    fs.files["old.wav"] = simpleWave(2, 16, 3000);
    // 8 MB of zero bytes are a million empty chunks to walk before "data".
    fs.files["long.wav"] =
        riffFile({chunk("fmt ", fmtPayload(pcmFormat(1, 8))), Bytes(8 << 20, 0), chunk("data", pattern(100))});
    FileChoice choice;
    SilentProgress quiet;
    ASSERT_TRUE(setChoiceFile(fs, choice, "old.wav", FileRole::edit, quiet).accepted);
    ScriptedProgress progress;
    progress.cancelAtLook = 1;
    const SetFileResult r = setChoiceFile(fs, choice, "long.wav", FileRole::edit, progress);
    EXPECT_FALSE(r.accepted);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "ファイルの検査を中止しました。");
    EXPECT_EQ(r.messages[0].caption, "チャンク検出");
    EXPECT_EQ(choice.editPath, "old.wav");
    EXPECT_EQ(choice.edit.dataEnd, 44u + 12000u);
    EXPECT_EQ(progress.closes, 1);  // gone before the message shows
}

TEST(FileInfo, EditFileSizeTimeAndFormat) {
    const WaveInfo info = waveInfo(2, 16, 44100, 10848600);  // 61.5 s
    const Message m = editFileInfo("C:\\rec\\take1.wav", info);
    EXPECT_EQ(m.caption, "サイズ 10848644 バイト (01分01秒500)");
    EXPECT_EQ(m.text, "C:\\rec\\take1.wav\n PCM 2CH 16BIT 44100SAMPLE");
    EXPECT_EQ(m.buttons, Buttons::ok);
    EXPECT_TRUE(m.foreground);
}

TEST(FileInfo, BackupFileTimeFromItsOwnFormatAndAskToClear) {
    WaveInfo info = waveInfo(1, 24, 48000, 48000 * 3 * 2);
    info.frameBytes = 0;  // never kept for a backup file: the format decides
    const Message m = backupFileInfo("D:\\src\\orig.wav", info);
    EXPECT_EQ(m.caption, "サイズ 288044 バイト (00分02秒000)");
    EXPECT_EQ(m.text, "D:\\src\\orig.wav\n PCM 1CH 24BIT 48000SAMPLE\n 設定をクリアしますか");
    EXPECT_EQ(m.buttons, Buttons::yesNo);
    EXPECT_TRUE(m.foreground);
}

TEST(DropRole, UpperRowSetsTheEditFileLowerRowTheBackup) {
    const DropTargets t{{10, 20, 40, 46}, {46, 20, 300, 46}, {10, 70, 40, 96}, {46, 70, 300, 96}};
    EXPECT_EQ(dropRole(t, 10, 20), 1);   // top-left corner of the open button
    EXPECT_EQ(dropRole(t, 299, 45), 1);  // inside the name frame
    EXPECT_EQ(dropRole(t, 20, 80), 2);
    EXPECT_EQ(dropRole(t, 200, 95), 2);
    EXPECT_EQ(dropRole(t, 40, 30), 0);   // right edge is outside, the gap between them
    EXPECT_EQ(dropRole(t, 100, 50), 0);  // between the rows: the label
    EXPECT_EQ(dropRole(t, 300, 80), 0);
    EXPECT_EQ(dropRole(t, 5, 5), 0);
}

TEST(DropRole, LowerRowWinsWhereBothMatch) {
    const DropTargets t{{0, 0, 100, 100}, {0, 0, 0, 0}, {50, 50, 150, 150}, {0, 0, 0, 0}};
    EXPECT_EQ(dropRole(t, 60, 60), 2);
    EXPECT_EQ(dropRole(t, 10, 10), 1);
}

TEST(ControlHelp, TextsAndBoxSizes) {
    const std::string edit = "Ｄ＆Ｄ又は「開く」ボタンで設定して下さい。\nファイル名をクリックするとフル表示します。";
    const std::string backup =
        "非圧縮のウェーブファイルのみが設定有効です。\n編集の「原曲挿入」時に使います。\nデフォルトは上段ファイルとなっ"
        "ています。";
    for (int id : {IDC_OPEN_EDIT, IDC_EDIT_FRAME}) {
        const ControlHelp h = controlHelp(id);
        EXPECT_EQ(h.text, edit);
        EXPECT_EQ(h.width, 230);
        EXPECT_EQ(h.height, 37);
    }
    for (int id : {IDC_OPEN_BACKUP, IDC_BACKUP_FRAME}) {
        const ControlHelp h = controlHelp(id);
        EXPECT_EQ(h.text, backup);
        EXPECT_EQ(h.width, 260);
        EXPECT_EQ(h.height, 50);
    }
    for (int id : {1, 2, IDC_EDIT_NAME, IDC_BACKUP_NAME, IDC_EDIT_LABEL}) EXPECT_TRUE(controlHelp(id).text.empty());
}

TEST(FileFilter, WaveOrMp3ThenAll) {
    const FileFilter wave = fileFilter(false);
    ASSERT_EQ(wave.pairs.size(), 2u);
    EXPECT_EQ(wave.pairs[0].first, "WAVE files(*.wav)");
    EXPECT_EQ(wave.pairs[0].second, "*.wav");
    EXPECT_EQ(wave.pairs[1].first, "すべて(*.*)");
    EXPECT_EQ(wave.pairs[1].second, "*.*");
    EXPECT_EQ(wave.defaultExtension, "wav");
    const FileFilter mp3 = fileFilter(true);
    EXPECT_EQ(mp3.pairs[0].first, "MP3 files(*.mp3)");
    EXPECT_EQ(mp3.pairs[0].second, "*.mp3");
    EXPECT_EQ(mp3.defaultExtension, "mp3");
}

}  // namespace
