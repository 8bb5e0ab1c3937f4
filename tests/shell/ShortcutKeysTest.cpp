#include "shell/ShortcutKeys.h"

#include <gtest/gtest.h>

TEST(ToggleThumbPane, TabTwiceRestoresAndTheFirstOpenWithoutAStoredPlaceIsTwoHundredAboveTheBottom) {
    constexpr int H = 900, barHeight = 25;
    int32_t old = 0;
    // Open at 400: the first Tab collapses to the bottom and keeps 400; the second puts it back.
    ThumbPaneToggle t = ToggleThumbPane(H, 400, barHeight, old);
    EXPECT_FALSE(t.opened);
    EXPECT_EQ(t.barTop, H - barHeight - 3);
    EXPECT_EQ(old, 400);
    t = ToggleThumbPane(H, t.barTop, barHeight, old);
    EXPECT_TRUE(t.opened);
    EXPECT_EQ(t.barTop, 400);

    // Collapsed at start with nothing kept: opens at H - 200.
    old = 0;
    t = ToggleThumbPane(H, H - barHeight - 3, barHeight, old);
    EXPECT_TRUE(t.opened);
    EXPECT_EQ(t.barTop, H - 200);
    EXPECT_EQ(old, H - 200);

    // The collapsed test's edge: 5 pixels above the bottom band still counts as open, 4 as shut.
    old = 123;
    EXPECT_FALSE(ToggleThumbPane(H, H - barHeight - 5, barHeight, old).opened);
    old = 123;
    EXPECT_TRUE(ToggleThumbPane(H, H - barHeight - 4, barHeight, old).opened);
}
