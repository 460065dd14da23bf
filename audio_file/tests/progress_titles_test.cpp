#include "audio_file/progress_titles.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    ProgressKind kind;
    const char* title;
    bool cancellable;
};

TEST(ProgressLook, TitleAndCancelPerKind) {
    const Row rows[] = {
        {ProgressKind::fileRead, "ファイル読込中", true},
        {ProgressKind::fileWrite, "ファイル書込中", true},
        {ProgressKind::fileWriteOverwrite, "ファイル書込中　上書き時は中止できません", false},
        {ProgressKind::drawing, "描画準備中", false},
        {ProgressKind::verify, "データのベリファイ中　不要ならキャンセルして下さい。", true},
        {ProgressKind::conversion, "形式変換中", true},
    };
    for (const Row& r : rows) {
        const ProgressLook look = progressLook(r.kind);
        EXPECT_EQ(look.title, r.title);
        EXPECT_EQ(look.cancellable, r.cancellable) << r.title;
    }
}

}  // namespace
