// Long chunk walks: same answers as a short walk, one sequential read of what
// they cross, the progress of reading the file past a few MB, and its cancel.
#include <gtest/gtest.h>

#include "audio_file/chunk_reader.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"
#include "audio_file/wave_reader.h"

namespace {

constexpr size_t kMiB = 1 << 20;
const FmtFields kStereo16 = pcmFormat(2, 16);

// Zero bytes read as chunks of id "\0\0\0\0" and size 0, 8 bytes each.
Bytes zeroChunks(size_t bytes) { return Bytes(bytes, 0); }

struct Walk {
    const char* name;
    Bytes bytes;
    bool accepted;
    uint32_t dataOffset;  // accepted: where the samples start
    const char* caption;  // refused: the step that refused
    bool progressShown;
};

const Walk kWalks[] = {
    {"ShortRunBetweenFmtAndData",
     riffFile({chunk("fmt ", fmtPayload(kStereo16)), zeroChunks(4096), chunk("data", pattern(400))}), true, 44 + 4096,
     "", false},
    {"LongRunBetweenFmtAndData",
     riffFile({chunk("fmt ", fmtPayload(kStereo16)), zeroChunks(12 * kMiB), chunk("data", pattern(400))}), true,
     44 + 12 * kMiB, "", true},
    {"LongRunBeforeFmt",
     riffFile({zeroChunks(6 * kMiB), chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400))}), true,
     44 + 6 * kMiB, "", true},
    {"LongRunAndNoData", riffFile({chunk("fmt ", fmtPayload(kStereo16)), zeroChunks(6 * kMiB)}), false, 0, "data検出",
     true},
    {"LongRunAndNoFmt", riffFile({zeroChunks(6 * kMiB), chunk("data", pattern(400))}), false, 0, "fmt 検出", true},
    {"LongRunThenDataCutShort",
     riffFile({chunk("fmt ", fmtPayload(kStereo16)), zeroChunks(6 * kMiB), Bytes{'d', 'a', 't', 'a', 8, 0}}), false, 0,
     "data検出", true},
};

class LongWalk : public ::testing::TestWithParam<Walk> {};

TEST_P(LongWalk, SameAnswerInOneSequentialRead) {
    const Walk& w = GetParam();
    MemoryFileSystem fs;
    fs.files["f.wav"] = w.bytes;
    ScriptedProgress progress;
    WaveInfo info;
    const Status s = validateWave(fs, "f.wav", FileRole::edit, info, progress);
    EXPECT_EQ(s.ok(), w.accepted) << s.message.text;
    if (w.accepted) {
        EXPECT_EQ(info.dataOffset, w.dataOffset);
        EXPECT_EQ(info.dataEnd, w.dataOffset + 400);
        EXPECT_EQ(info.imageSize, w.bytes.size());
        EXPECT_FALSE(info.headerRepaired);
    } else {
        EXPECT_EQ(s.outcome, Outcome::refused);
        EXPECT_EQ(s.message.text, "このウェーブファイルは破損しています。");
        EXPECT_EQ(s.message.caption, w.caption);
    }
    // Read in whole buffers, each byte about once: 8-byte reads would make a million calls.
    EXPECT_LE(fs.reads, int(w.bytes.size() / kChunkReadBuffer) + 4);
    EXPECT_LE(fs.bytesRead, w.bytes.size() + 2 * kChunkReadBuffer);
    EXPECT_EQ(progress.opens, w.progressShown ? 1 : 0);
    EXPECT_EQ(progress.closes, progress.opens);
    EXPECT_EQ(progress.kind, ProgressKind::fileRead);
    EXPECT_LE(progress.steps, 100);
    if (w.progressShown) {
        EXPECT_GT(progress.steps, 50);  // the bar follows the walk through the file
        EXPECT_EQ(progress.pumps, progress.looks);
    }
}

INSTANTIATE_TEST_SUITE_P(ChunkWalk, LongWalk, ::testing::ValuesIn(kWalks),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ChunkWalk, CancelRefusesTheFileAndStopsAtOnce) {
    struct Row {
        Bytes bytes;
        int cancelAtLook;
    };
    const Row rows[] = {
        {riffFile({chunk("fmt ", fmtPayload(kStereo16)), zeroChunks(12 * kMiB), chunk("data", pattern(400))}), 1},
        {riffFile({zeroChunks(12 * kMiB), chunk("fmt ", fmtPayload(kStereo16)), chunk("data", pattern(400))}), 3},
    };
    for (const Row& row : rows) {
        MemoryFileSystem fs;
        fs.files["f.wav"] = row.bytes;
        ScriptedProgress progress;
        progress.cancelAtLook = row.cancelAtLook;
        WaveInfo info;
        info.dataOffset = 1234;  // an earlier accepted file's values
        const Status s = validateWave(fs, "f.wav", FileRole::edit, info, progress);
        EXPECT_EQ(s.outcome, Outcome::cancelled);
        EXPECT_EQ(s.message.text, "ファイルの検査を中止しました。");
        EXPECT_EQ(s.message.caption, "チャンク検出");
        EXPECT_TRUE(s.message.foreground);
        EXPECT_EQ(s.message.buttons, Buttons::ok);
        EXPECT_EQ(info.dataOffset, 1234u);
        EXPECT_EQ(progress.looks, row.cancelAtLook);
        EXPECT_TRUE(progress.questions.empty());  // nothing to confirm: no data is at stake
        EXPECT_EQ(progress.opens, 1);
        EXPECT_EQ(progress.closes, 1);
        EXPECT_LE(fs.bytesRead, kWalkQuietBytes + (row.cancelAtLook - 1) * kWalkWatchBytes + kChunkReadBuffer);
    }
}

}  // namespace
