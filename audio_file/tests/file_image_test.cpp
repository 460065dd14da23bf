#include "audio_file/file_image.h"

#include <gtest/gtest.h>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"
#include "audio_file/wave_reader.h"

namespace {

constexpr uint64_t kPlentyOfMemory = 1ull << 40;

struct Loaded {
    MemoryFileSystem fs;
    WaveInfo info;
    FileImage image;
    ScriptedProgress progress;
    Status status;
};

void load(Loaded& l, const Bytes& file, uint64_t freeSpace = kPlentyOfMemory) {
    l.fs.files["f.wav"] = file;
    Status v = validateWave(l.fs, "f.wav", FileRole::edit, l.info);
    ASSERT_TRUE(v.ok()) << v.message.text;
    l.status = loadFileImage(l.fs, "f.wav", l.info, freeSpace, l.image, l.progress);
}

TEST(MemoryBudget, ImagePlusPageTailPlusMargin) {
    WaveInfo info;
    info.imageSize = 1000;
    info.frameBytes = 6;
    info.bytesPerSample = 3;
    EXPECT_EQ(memoryBudget(info), 1000u + 655360u * 6 + 2048u * 3);
}

TEST(Load, ImageEqualsFileAndTailIsSilence) {
    struct Row {
        uint16_t channels, bits;
        uint8_t silence;
    };
    for (const Row row : {Row{2, 16, 0}, Row{1, 24, 0}, Row{2, 24, 0}, Row{1, 8, 0x80}, Row{2, 8, 0x80}}) {
        Loaded l;
        load(l, simpleWave(row.channels, row.bits, 1234));
        ASSERT_TRUE(l.status.ok()) << l.status.message.text;
        const Bytes& file = l.fs.files["f.wav"];
        ASSERT_EQ(l.image.imageSize, file.size());
        EXPECT_TRUE(std::equal(file.begin(), file.end(), l.image.bytes()));
        EXPECT_EQ(l.image.memoryBudget, memoryBudget(l.info));
        for (uint64_t at : {uint64_t(file.size()), uint64_t(file.size()) + 4097, uint64_t(l.image.memoryBudget) - 1})
            EXPECT_EQ(l.image.bytes()[at], row.silence) << row.bits << " at " << at;
        EXPECT_EQ(l.progress.opens, 1);
        EXPECT_EQ(l.progress.closes, 1);
        EXPECT_EQ(l.progress.kind, ProgressKind::fileRead);
        EXPECT_EQ(l.fs.exclusiveOpens, 1);  // no sharing while loading
        EXPECT_TRUE(l.image.filePageBuffer);
        EXPECT_EQ(l.image.pageBufferBytes, 657920u * l.info.frameBytes);
        for (const auto& slot : l.image.undoSlots) ASSERT_TRUE(slot);
        // The side buffers read as silence before anything is written to them.
        const size_t last = l.image.pageBufferBytes - 1;
        for (const ZeroArray<uint8_t>* b : {&l.image.playBufferA, &l.image.playBufferB, &l.image.filePageBuffer})
            EXPECT_EQ((*b)[0] | (*b)[last / 2] | (*b)[last], 0);
        EXPECT_EQ(l.image.undoSlots[kUndoSlotCount - 1][kPageBufferFrames - 1], 0);
    }
}

TEST(Load, HundredStepsWithPumpAfterEachOrOneForATinyImage) {
    struct Row {
        uint16_t channels;
        uint32_t frames;
        int steps, pumps;
    };
    // 44 + 9956 = 10000 bytes; 44 + 4 = 48 bytes.
    for (const Row row : {Row{2, 2489, 100, 100}, Row{1, 2, 1, 1}}) {
        Loaded l;
        load(l, simpleWave(row.channels, 16, row.frames));
        ASSERT_TRUE(l.status.ok());
        EXPECT_EQ(l.progress.steps, row.steps);
        EXPECT_EQ(l.progress.pumps, row.pumps);
        const Bytes& file = l.fs.files["f.wav"];
        EXPECT_TRUE(std::equal(file.begin(), file.end(), l.image.bytes()));
    }
}

TEST(Load, RepairedHeaderIsCorrectedInMemoryOnly) {
    const Bytes dataPastEnd =
        riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", pattern(400), 1000)}, 1036);
    const Bytes partialBlock = riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", pattern(402))});
    for (const Bytes& file : {dataPastEnd, partialBlock}) {
        Loaded l;
        load(l, file);
        ASSERT_TRUE(l.status.ok());
        ASSERT_TRUE(l.info.headerRepaired);
        ASSERT_EQ(l.image.imageSize, 444u);
        Bytes image(l.image.bytes(), l.image.bytes() + 445);
        EXPECT_EQ(getLe32(image, 4), 444u - 8);
        EXPECT_EQ(getLe32(image, 40), 400u);
        EXPECT_EQ(image[444], 0);              // dropped bytes are not in the image
        EXPECT_EQ(l.fs.files["f.wav"], file);  // the file itself is untouched
    }
}

TEST(Load, CancelAnsweredYesEndsTheLoad) {
    Loaded l;
    l.progress.cancelAtStep = 40;
    l.progress.answer = Answer::yes;
    load(l, simpleWave(2, 16, 25000));
    EXPECT_EQ(l.status.outcome, Outcome::cancelled);
    EXPECT_EQ(l.progress.steps, 40);
    EXPECT_EQ(l.progress.closes, 1);
    ASSERT_EQ(l.progress.questions.size(), 1u);
    EXPECT_EQ(l.progress.questions[0].text, "中止ボタンが押されました、Velkorを終了します。");
    EXPECT_EQ(l.progress.questions[0].caption, "確認");
    EXPECT_EQ(l.progress.questions[0].buttons, Buttons::yesNo);
}

TEST(Load, CancelAnsweredNoGoesOn) {
    Loaded l;
    l.progress.cancelAtStep = 40;
    l.progress.answer = Answer::no;
    load(l, simpleWave(2, 16, 25000));
    ASSERT_TRUE(l.status.ok());
    EXPECT_EQ(l.progress.questions.size(), 1u);
    EXPECT_GE(l.progress.steps, 100);
    const Bytes& file = l.fs.files["f.wav"];
    EXPECT_TRUE(std::equal(file.begin(), file.end(), l.image.bytes()));
}

TEST(Load, OpenFailureOrShortReadAnywhereFails) {
    // -1: the file is gone before the load; otherwise reads stop at that position.
    for (int64_t limit : {int64_t(-1), int64_t(0), int64_t(500), int64_t(50000), int64_t(100043)}) {
        Loaded l;
        l.fs.files["f.wav"] = simpleWave(2, 16, 25000);  // 100044 bytes
        ASSERT_TRUE(validateWave(l.fs, "f.wav", FileRole::edit, l.info).ok());
        if (limit < 0) {
            l.fs.files.clear();
        } else {
            l.fs.readLimit = uint64_t(limit);
        }
        const Status s = loadFileImage(l.fs, "f.wav", l.info, kPlentyOfMemory, l.image, l.progress);
        EXPECT_EQ(s.outcome, Outcome::refused) << limit;
        EXPECT_EQ(s.message.text, "ファイル読込みに失敗しました。");
        EXPECT_EQ(s.message.caption, "エラー");
        EXPECT_EQ(l.progress.opens, 1);
        EXPECT_EQ(l.progress.closes, 1);
    }
}

TEST(Load, NotEnoughFreeSpace) {
    Loaded l;
    const Bytes file = simpleWave(2, 16, 100);
    WaveInfo probe;
    MemoryFileSystem fs;
    fs.files["f.wav"] = file;
    ASSERT_TRUE(validateWave(fs, "f.wav", FileRole::edit, probe).ok());
    load(l, file, memoryBudget(probe));  // not larger than the budget: refused
    EXPECT_EQ(l.status.message.text, "残メモリが足りません。");
    EXPECT_EQ(l.status.message.caption, "エラー");
    EXPECT_FALSE(l.image.allocated());
    EXPECT_EQ(l.progress.opens, 0);
}

TEST(Load, BudgetBeyond32BitsRefusedBeforeAllocating) {
    WaveInfo info;
    info.imageSize = 0xFFFF0000u;
    info.frameBytes = 4;
    info.bytesPerSample = 2;
    info.format.bitsPerSample = 16;
    MemoryFileSystem fs;
    FileImage image;
    ScriptedProgress progress;
    const Status s = loadFileImage(fs, "f.wav", info, kPlentyOfMemory, image, progress);
    EXPECT_EQ(s.message.text, "残メモリが足りません。");
    EXPECT_FALSE(image.allocated());
}

}  // namespace
