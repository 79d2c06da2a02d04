// The terminal progress line.
#include "media/render/RenderProgress.h"

#include <gtest/gtest.h>

TEST(RenderProgress, LineNamesTheFilePercentRateAndTimeLeft) {
    EXPECT_EQ(RenderProgress::formatLine("piece_1.avi", 42, 310.54, 65.4), "piece_1.avi   42%    310.5 frames/s  1:05 left");
    // Before any progress there is no estimate.
    EXPECT_EQ(RenderProgress::formatLine("piece_pre1.avi", 0, 0.0, -1.0), "piece_pre1.avi    0%      0.0 frames/s");
}
