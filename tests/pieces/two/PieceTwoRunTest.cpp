// Piece two run live and headless on the default show data (SDL's dummy drivers), ended by a
// quit request; and the clock of its rendered frames.
#include "PieceTwoTestSupport.h"

#include "media/sound/SoundSystem.h"
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
    for (const Case& c : {Case{25, {0, 0, 2, 5, 8, 11, 14}}, Case{5, {0, 0, 14, 28, 42, 56, 71}},
                          Case{1000, {0, 0, 0, 0, 0, 0, 0}}}) {
        FrameClock clock(c.fps);
        std::vector<int32_t> units;
        for (size_t n = 0; n < c.units.size(); ++n) {
            units.push_back(clock.nextFrameUnits());
            clock.frameCaptured();
        }
        EXPECT_EQ(units, c.units) << c.fps;
    }
    FrameClock clock(25);
    int32_t percent = 0;
    for (int n = 0; n < 1000; ++n)
        percent = clock.frameCaptured();
    EXPECT_EQ(percent, 26); // 2837.16 of 10650 units
    for (int n = 1000; n < 3751; ++n)
        percent = clock.frameCaptured();
    EXPECT_EQ(percent, 99); // 10650 units, short of 100 by the float factor
}

TEST(PieceTwoRun, LiveRunEndsOnAQuitRequestWithItsMusicPlaying) {
    REQUIRE_DEFAULT_SHOW_DATA();
    bool inBetweenLinesBlack = true;
    PieceTest::LiveRun live([&](PieceTest::WatchedDevice& device) {
        for (int32_t y = 0; y < 240 && device.attached; ++y)
            for (int32_t x = 0; x < 640; ++x)
                inBetweenLinesBlack &= device.attached->getPixels32()[y * 1280 + 640 + x] == 0;
        if (device.presents == 20) Sys_RequestQuit();
    });
    live.context.seed = 3;
    ClipLibrary& clips = PieceTest::services().clips;
    SoundSystem& sound = PieceTest::services().sound;

    PieceTwo piece;
    piece.load(live.context);
    ASSERT_NE(clips.getClip(tempClipPath(showClips[flightClip].fileName)), nullptr);
    ASSERT_NE(clips.getClip(tempClipPath(showClips[tunnelClip].fileName)), nullptr);
    piece.setup(live.context);
    ASSERT_NE(live.device.attached, live.frameBuffer.get()); // its own doubled 640x240 store
    piece.run(live.context);
    EXPECT_EQ(live.device.presents, 20);
    EXPECT_TRUE(inBetweenLinesBlack);
    ASSERT_NE(piece.getMusic(), 0u);
    EXPECT_TRUE(sound.isActive(piece.getMusic()));
    piece.stop();
    piece.stop(); // the shell stops a piece twice when it was quit
    EXPECT_FALSE(sound.isActive(piece.getMusic()));
    piece.release();
    EXPECT_EQ(clips.getClip(tempClipPath(showClips[flightClip].fileName)), nullptr);
}

} // namespace
