// Row tables and cues: one cue per frame, table k + 1 after cue k, position resets, and every
// table's lines inside the layer and the screen.
#include "pieces/three/RowTables.h"
#include "pieces/three/ClipScanlines.h"

#include <gtest/gtest.h>

TEST(RowTables, CueKSelectsTableKPlusOneAndPositionCuesResetTheClip) {
    CueState cues(scanlineCues);
    float position = 1234.0f;
    EXPECT_FALSE(cues.take(8912, position));
    EXPECT_EQ(cues.currentTable(), 0);
    for (int32_t k = 0; k < 24; ++k) {
        position = 1234.0f;
        ASSERT_TRUE(cues.take(scanlineCues[k].timeMs, position)) << "cue " << k;
        EXPECT_EQ(cues.currentTable(), k + 1);
        bool resets = k == 8 || k == 16 || k == 23;
        EXPECT_EQ(position, resets ? 16799.0f : 1234.0f) << "cue " << k;
    }
    EXPECT_FALSE(cues.take(200000, position)); // the terminator: table 24 to the end
    EXPECT_EQ(cues.currentTable(), 24);
}

TEST(RowTables, SeveralCuesPassedInOneFrameAreTakenOnePerFrame) {
    CueState cues(scanlineCues);
    float position = 0.0f;
    // A first frame at 9000 ms has passed cues 0 (8913) and 1 (8945).
    EXPECT_TRUE(cues.take(9000, position));
    EXPECT_EQ(cues.currentTable(), 1);
    EXPECT_TRUE(cues.take(9000, position));
    EXPECT_EQ(cues.currentTable(), 2);
    EXPECT_FALSE(cues.take(9000, position)); // cue 2 is at 9502
    // A long stall past every cue: still one per frame.
    for (int32_t frame = 0; frame < 22; ++frame)
        EXPECT_TRUE(cues.take(100000, position));
    EXPECT_FALSE(cues.take(100000, position));
    EXPECT_EQ(cues.cuesTaken(), 24);
}

TEST(ClipScanlines, ClipPositionFoldsBackAndForthBetween0And16800) {
    struct Case {
        float position;
        int32_t clipMs;
    } cases[] = {{0.9f, 0},     {16800.0f, 16800}, {16801.0f, 16799}, {25200.5f, 8400},
                 {33599.9f, 1}, {33600.0f, 0},     {50400.0f, 16800}, {67200.0f, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ClipScanlines::foldClipPosition(c.position), c.clipMs) << c.position;
}
