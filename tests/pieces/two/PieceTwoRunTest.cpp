// Piece two run live and headless on the default show data (SDL's dummy drivers), ended by a
// quit request; and the clock of its rendered frames.
#include "PieceTwoTestSupport.h"

#include "pieces/LiveRun.h"
#include "pieces/two/FrameClock.h"
#include "pieces/two/PieceTwo.h"
#include "resources/ShowClips.h"

#include <gtest/gtest.h>

namespace {

TEST(PieceTwoVideoClock, FramesAtWholeUnitsFromTwoFramesAtZero) {
    struct Case {
        int32_t fps;
        std::vector<int32_t> units;
    };
    for (const Case& c : {Case{25, {0, 0, 2, 5, 8, 11, 14}}, Case{5, {0, 0, 14, 28, 42, 56, 71}}}) {
        FrameClock clock(c.fps);
        std::vector<int32_t> units;
        for (size_t n = 0; n < c.units.size(); ++n) {
            units.push_back(clock.nextFrameUnits());
            clock.frameCaptured();
        }
        EXPECT_EQ(units, c.units) << c.fps;
    }
}

TEST(PieceTwoRun, LiveRunEndsOnAQuitRequestWithItsMusicPlaying) {
    REQUIRE_DEFAULT_SHOW_DATA();
    bool inBetweenLinesBlack = true;
    PieceTest::LiveRun live([&](PieceTest::WatchedDevice& device) {
        if (device.attached) inBetweenLinesBlack &= PieceTwoTest::linesBlack(device.attached, 640);
        if (device.presents == 20) Sys_RequestQuit();
    });
    live.context.seed = 3;
    ClipLibrary& clips = PieceTest::services().clips;

    PieceTwo piece;
    piece.load(live.context);
    ASSERT_NE(clips.getClip(tempClipPath(showClips[flightClip].fileName)), nullptr);
    piece.setup(live.context);
    ASSERT_NE(live.device.attached, &live.frameBuffer); // its own doubled 640x240 store
    piece.run(live.context);
    EXPECT_EQ(live.device.presents, 20);
    EXPECT_TRUE(inBetweenLinesBlack);
    EXPECT_TRUE(PieceTest::isPlaying(piece.getMusic()));
    piece.stop();
    piece.stop(); // the shell stops a piece twice when it was quit
    EXPECT_FALSE(PieceTest::isPlaying(piece.getMusic()));
    piece.release();
    EXPECT_EQ(clips.getClip(tempClipPath(showClips[flightClip].fileName)), nullptr);
}

} // namespace
