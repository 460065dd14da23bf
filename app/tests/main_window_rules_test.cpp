#include "app/main_window_rules.h"

#include <gtest/gtest.h>

// Only the two both-channel play items explain themselves in the status line.
TEST(MainMenuHelp, PlayItemsOnly) {
    EXPECT_EQ(mainMenuHelp(6012), "音量を半減して両音再生");
    EXPECT_EQ(mainMenuHelp(6013), "通常の音量で両音再生");
    for (int item : {6010, 6011, 6014, 6016, 6017, 6018, 7040, 7033, 0}) EXPECT_EQ(mainMenuHelp(item), "") << item;
}
