#include "document/screen_width.h"

#include <gtest/gtest.h>

#include "resources/ids.h"

namespace {

struct Change {
    const char* name;
    int32_t from, to, column, expected;
};

const Change kChanges[] = {
    {"From960To640", 960, 640, 600, 400},        {"From640To960", 640, 960, 401, 601},
    {"From1280To640", 1280, 640, 1001, 500},     {"From1280To960", 1280, 960, 1001, 750},
    {"From640To1280", 640, 1280, 639, 1278},     {"From960To1280", 960, 1280, 959, 1278},
    {"From960To640Truncates", 960, 640, 1, 0},   {"From640To960Truncates", 640, 960, 1, 1},
    {"From960To1280Truncates", 960, 1280, 2, 2}, {"Zero", 1280, 640, 0, 0},
    {"SameWidth", 960, 960, 555, 555},           {"UnknownWidth", 800, 640, 555, 555},
};

class Rescale : public ::testing::TestWithParam<Change> {};

TEST_P(Rescale, KeepsThePlaceInTheFile) {
    const Change& c = GetParam();
    EXPECT_EQ(rescaleOverviewColumn(c.from, c.to, c.column), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, Rescale, ::testing::ValuesIn(kChanges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Rescale, StaysOnScreenForEveryPairAndColumn) {
    for (int32_t from : {640, 960, 1280})
        for (int32_t to : {640, 960, 1280})
            for (int32_t column = 0; column < from; ++column) {
                const int32_t scaled = rescaleOverviewColumn(from, to, column);
                ASSERT_GE(scaled, 0);
                ASSERT_LT(scaled, to) << from << "->" << to << " at " << column;
                // The same place in the file, within one new column.
                ASSERT_LE(std::abs(int64_t(scaled) * from - int64_t(column) * to), int64_t(from)) << column;
            }
}

TEST(SizeItems, RadioItemFollowsTheWidth) {
    EXPECT_EQ(sizeItemForWidth(640), IDM_WIDTH_640);
    EXPECT_EQ(sizeItemForWidth(959), IDM_WIDTH_640);
    EXPECT_EQ(sizeItemForWidth(960), IDM_WIDTH_960);
    EXPECT_EQ(sizeItemForWidth(961), IDM_WIDTH_1280);
    EXPECT_EQ(sizeItemForWidth(1280), IDM_WIDTH_1280);
    EXPECT_EQ(widthForSizeItem(IDM_WIDTH_640), 640);
    EXPECT_EQ(widthForSizeItem(IDM_WIDTH_960), 960);
    EXPECT_EQ(widthForSizeItem(IDM_WIDTH_1280), 1280);
    EXPECT_EQ(widthForSizeItem(IDM_TO_EDIT_WINDOW), 0);
}

}  // namespace
