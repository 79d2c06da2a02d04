// Row tables' cues: one cue per frame however many a late frame has passed, and the clip position
// folding back and forth.
#include "pieces/three/RowTables.h"
#include "pieces/three/ClipScanlines.h"

#include <gtest/gtest.h>

TEST(RowTables, SeveralCuesPassedInOneFrameAreTakenOnePerFrame) {
    CueState cues(scanlineCues);
    float position = 0.0f;
    // A first frame at 9000 ms has passed cues 0 (8913) and 1 (8945).
    EXPECT_TRUE(cues.take(9000, position));
    EXPECT_TRUE(cues.take(9000, position));
    EXPECT_EQ(cues.currentTable(), 2);
    EXPECT_FALSE(cues.take(9000, position)); // cue 2 is at 9502
    EXPECT_EQ(position, 0.0f);
    // A long stall past every cue: still one per frame.
    for (int32_t frame = 0; frame < 22; ++frame)
        EXPECT_TRUE(cues.take(100000, position));
    EXPECT_FALSE(cues.take(100000, position)); // the terminator: table 24 to the end
    EXPECT_EQ(cues.currentTable(), 24);
    EXPECT_EQ(position, 16799.0f); // cues 8, 16 and 23 put the clip back to its end
}

TEST(ClipScanlines, ClipPositionFoldsBackAndForthBetween0And16800) {
    const std::pair<float, int32_t> cases[] = {{0.9f, 0},     {16800.0f, 16800}, {16801.0f, 16799}, {25200.5f, 8400},
                                               {33599.9f, 1}, {33600.0f, 0},     {50400.0f, 16800}, {67200.0f, 0}};
    for (auto [position, clipMs] : cases) EXPECT_EQ(ClipScanlines::foldClipPosition(position), clipMs) << position;
}
