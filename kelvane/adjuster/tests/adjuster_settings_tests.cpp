#include <gtest/gtest.h>

#include "kelvane/adjuster/adjuster_settings.h"

using namespace kelvane;
using namespace kelvane::adjuster;

TEST(AdjusterSettingsFrom, StoredSettingsReachTheDecision) {
    KelvaneSettings settings;
    settings.SetAdjustLeft(false);
    settings.SetExtendBottom(12);
    settings.SetExtendRight(7);
    settings.SetAdjustToExtendBounds(true);
    settings.SetOffscreenFactor(50);

    AdjusterSettings adjuster = AdjusterSettingsFrom(settings);
    EXPECT_TRUE(adjuster.adjustTop);
    EXPECT_FALSE(adjuster.adjustLeft);
    EXPECT_EQ(12, adjuster.extendBottom);
    EXPECT_EQ(7, adjuster.extendRight);
    EXPECT_TRUE(adjuster.extendBoundsInUse);
    EXPECT_TRUE(adjuster.adjustToExtendBounds);
    EXPECT_EQ(50, adjuster.offscreenFactor);

    // A window at left -150 stays with the left edge switched off, even in
    // adjust-all mode, and comes back once the stored switch is on again.
    WindowFacts window;
    window.windowRect = {-150, 100, 250, 400};
    window.className = "Notepad";
    ScreenFacts screen{{0, 0, 1024, 768}, {0, 0, 1024, 740}};
    EXPECT_FALSE(AdjustedWindowRect(window, adjuster, true, screen));
    settings.SetAdjustLeft(true);
    auto moved = AdjustedWindowRect(window, AdjusterSettingsFrom(settings), true, screen);
    ASSERT_TRUE(moved);
    EXPECT_EQ(0, moved->left);
}
