// Piece three run whole and headless on the default show data (SDL's dummy drivers), on a show
// clock the test moves forward at every present; a quit before the first frame leaves only setup's.
#include "pieces/LiveRun.h"
#include "pieces/three/PieceThree.h"

#include <gtest/gtest.h>

using PieceTest::isPlaying;

TEST(PieceThreeRun, EndsOnTheFirstFrameAt106SecondsWithoutDrawingIt) {
    REQUIRE_DEFAULT_SHOW_DATA();
    PieceTest::LivePiece<PieceThree> piece(500); // the clock moves 500 ms at every present
    bool pairZeroAlone = true, pairSixShown = false;
    piece.onPresent = [&](PieceTest::WatchedDevice& device) {
        const int32_t now = PieceTest::services().clock.getElapsedMs();
        const uint32_t* pixels = device.show->getPixels32();
        if (now == 1000) // only pair 0 has started (at 500 ms), and the floor blacks every line
            for (int32_t y = 0; y < 480; ++y)
                for (int32_t x = 0; x < 640; ++x) {
                    bool inPairZero = x >= 22 && x < 278 && y >= 26 && y < 314;
                    if (!inPairZero && (pixels[y * 640 + x] & 0xFFFFFF) != 0) pairZeroAlone = false;
                }
        if (now == 22500) // pair 6 (centred at 610, 410) runs off the right and bottom edges
            for (int32_t x = 490; x < 640; ++x)
                pairSixShown = pairSixShown || (pixels[350 * 640 + x] & 0xFFFFFF);
    };
    piece.piece.setup(piece.live.context);
    EXPECT_TRUE(isPlaying(piece.piece.getMusicStream()));
    piece.piece.run(piece.live.context);
    // setup's black frame, then frames at 0, 500, ..., 105500 ms.
    EXPECT_EQ(piece.live.device.presents, 1 + 212);
    EXPECT_TRUE(pairZeroAlone);
    EXPECT_TRUE(pairSixShown);
    piece.piece.stop();
    EXPECT_FALSE(isPlaying(piece.piece.getMusicStream()));
}

TEST(PieceThreeRun, AQuitBeforeTheFirstFrameDrawsNothingAndStopStillWorks) {
    REQUIRE_DEFAULT_SHOW_DATA();
    PieceTest::LivePiece<PieceThree> piece(20);
    piece.piece.stop(); // a piece skipped by a quit is stopped without ever playing
    piece.piece.setup(piece.live.context);
    Sys_RequestQuit();
    piece.piece.run(piece.live.context);
    EXPECT_EQ(piece.live.device.presents, 1); // only setup's black frame
    piece.piece.stop();
}
