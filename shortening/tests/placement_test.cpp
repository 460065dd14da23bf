#include "shortening/placement.h"

#include <gtest/gtest.h>

namespace {

constexpr ScreenRect kDesktop{0, 0, 1280, 1024};

struct PlacementCase {
    const char* name;
    AutomaticPlacement remembered;
    ScreenRect editWindow;
    int32_t screenWidth;
    int32_t x, y;
};

// Dialog 120 x 40; edit window 656 wide for a 640-column page.
const PlacementCase kCases[] = {
    {"FirstTimeBesideTheWaveformEnd", {}, {100, 50, 756, 550}, 640, 100 + 16 + 640 - 120, 50},
    {"WiderPageShiftsLeft", {}, {0, 0, 1296, 700}, 1280, 0 + 16 + 640 - 120, 0},
    {"FollowsTheMovedEditWindow", {{900, 300, 1020, 340}, {100, 50, 756, 550}}, {130, 40, 786, 540}, 640, 930, 290},
    {"OtherWidthForgetsThePlace", {{900, 300, 1020, 340}, {100, 50, 700, 550}}, {100, 50, 756, 550}, 640, 636, 50},
    {"KeptInsideOnTheRight", {{1200, 300, 1320, 340}, {100, 50, 756, 550}}, {100, 50, 756, 550}, 640, 1160, 300},
    {"KeptInsideAtTheBottom", {{10, 1000, 130, 1040}, {100, 50, 756, 550}}, {100, 50, 756, 550}, 640, 10, 984},
    {"KeptInsideAtTheTop", {{10, 20, 130, 60}, {100, 50, 756, 550}}, {100, -1000, 756, -500}, 640, 10, 0},
    {"KeptInsideAtTheLeft", {{20, 30, 140, 70}, {100, 50, 756, 550}}, {0, 50, 656, 550}, 640, 0, 30},
};

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, Origin) {
    const PlacementCase& c = GetParam();
    const ScreenPoint at = automaticDialogOrigin(c.remembered, c.editWindow, c.screenWidth, 120, 40, kDesktop);
    EXPECT_EQ(at.x, c.x);
    EXPECT_EQ(at.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(AutomaticDialog, Placement, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
