#include "shortening/button_move.h"

#include <gtest/gtest.h>

namespace {

// An edit window whose client area does not start at its outer corner, so
// screen and client coordinates differ on both axes.
constexpr ScreenRect kEditWindow{300, 200, 956, 900};
constexpr ScreenPoint kClientOrigin{308, 231};
constexpr ButtonGrab kGrab{true, 20, 7};

struct DropCase {
    const char* name;
    int32_t pointerX;
    int32_t clientLeft;
    int32_t pointerScreenX;
};

const DropCase kDrops[] = {
    {"Inside", 700, 680 - 308, 700},
    {"KeptTenInsideTheLeftEdge", 100, 310 - 308, 330},
    {"KeptTenInsideTheRightEdge", 2000, 956 - 75 - 10 - 308, 956 - 75 - 10 + 20},
};

class Drop : public testing::TestWithParam<DropCase> {};

TEST_P(Drop, ClientPositionAndGrabPointOnScreen) {
    const DropCase& c = GetParam();
    const ButtonDrop d = buttonDrop(c.pointerX, kGrab, kEditWindow, kClientOrigin, kShorteningButtonWidth);
    EXPECT_EQ(d.client.x, c.clientLeft);
    EXPECT_EQ(d.client.y, 64);
    EXPECT_EQ(d.pointer.x, c.pointerScreenX);
    EXPECT_EQ(d.pointer.y, 231 + 64 + 7);
}

INSTANTIATE_TEST_SUITE_P(ShorteningButton, Drop, testing::ValuesIn(kDrops),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShorteningButton, TooNarrowAWindowKeepsTheLeftLimit) {
    const ButtonDrop d = buttonDrop(500, kGrab, {0, 0, 80, 100}, {0, 0}, kShorteningButtonWidth);
    EXPECT_EQ(d.client.x, 10);
}

TEST(ShorteningButton, MoveClipRowsAndDesktopEdge) {
    const ScreenRect clip = buttonMoveClip({308, 231, 948, 892}, {0, 0, 900, 1000});
    EXPECT_EQ(clip.left, 308);
    EXPECT_EQ(clip.top, 231 + 62);
    EXPECT_EQ(clip.right, 900);
    EXPECT_EQ(clip.bottom, 892 - 20);
    EXPECT_EQ(buttonMoveClip({0, 0, 640, 70}, {0, 0, 900, 1000}).bottom, 62);  // never above its top
}

TEST(ShorteningButton, Halves) {
    const std::pair<int32_t, ButtonHalf> cases[] = {{0, ButtonHalf::repeat},     {34, ButtonHalf::repeat},
                                                    {35, ButtonHalf::between},   {39, ButtonHalf::between},
                                                    {40, ButtonHalf::attenuate}, {74, ButtonHalf::attenuate}};
    for (const auto& [x, half] : cases) EXPECT_EQ(buttonHalf(x, kShorteningButtonWidth), half) << x;
}

}  // namespace
