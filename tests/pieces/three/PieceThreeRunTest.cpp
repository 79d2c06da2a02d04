// Piece three run whole and headless on the default show data (SDL's dummy drivers), on a show
// clock the test moves forward at every present.
#include "pieces/LiveRun.h"
#include "pieces/three/PieceThree.h"

#include <gtest/gtest.h>

#include <vector>

using PieceTest::isPlaying;

namespace {

// Piece three on test ticks moved stepMs at every present; each present's clock reading is kept
// and inspect sees the show's frame buffer from the second present on (after setup's black frame).
struct LivePieceThree : PieceTest::LivePiece<PieceThree> {
    explicit LivePieceThree(uint32_t stepMs, std::function<void(FrameBuffer*, int32_t)> inspect = nullptr)
        : LivePiece(stepMs) {
        onPresent = [this, inspect](PieceTest::WatchedDevice& device) {
            frameTimes.push_back(PieceTest::services().clock.getElapsedMs());
            if (inspect && frameTimes.size() > 1) inspect(device.show, frameTimes.back());
        };
    }
    std::vector<int32_t> frameTimes;
};

} // namespace

TEST(PieceThreeRun, EndsOnTheFirstFrameAt106SecondsWithoutDrawingIt) {
    REQUIRE_DEFAULT_SHOW_DATA();
    bool pairZeroAlone = true, pairSixShown = false;
    auto inspect = [&](FrameBuffer* frameBuffer, int32_t now) {
        const uint32_t* pixels = frameBuffer->getPixels32();
        if (now == 1000) { // only pair 0 has started (at 500 ms), and the floor blacks every line
            for (int32_t y = 0; y < 480; ++y)
                for (int32_t x = 0; x < 640; ++x) {
                    bool inPairZero = x >= 22 && x < 278 && y >= 26 && y < 314;
                    if (!inPairZero && (pixels[y * 640 + x] & 0xFFFFFF) != 0) pairZeroAlone = false;
                }
        }
        if (now == 22500) // pair 6 (centred at 610, 410) runs off the right and bottom edges
            for (int32_t x = 490; x < 640; ++x)
                pairSixShown = pairSixShown || (pixels[350 * 640 + x] & 0xFFFFFF);
    };
    LivePieceThree piece(500, inspect);
    piece.piece.setup(piece.live.context);
    EXPECT_TRUE(isPlaying(piece.piece.getMusicStream()));
    piece.piece.run(piece.live.context);
    // setup's black frame, then frames at 0, 500, ..., 105500 ms.
    const std::vector<int32_t>& times = piece.frameTimes;
    EXPECT_EQ(times.size(), 1u + 212u);
    EXPECT_EQ(times.back(), 105500);
    EXPECT_TRUE(pairZeroAlone);
    EXPECT_TRUE(pairSixShown);
    piece.piece.stop();
    EXPECT_FALSE(isPlaying(piece.piece.getMusicStream()));
}

TEST(PieceThreeRun, AQuitBeforeTheFirstFrameDrawsNothingAndStopStillWorks) {
    REQUIRE_DEFAULT_SHOW_DATA();
    LivePieceThree piece(20);
    piece.piece.stop(); // a piece skipped by a quit is stopped without ever playing
    piece.piece.setup(piece.live.context);
    Sys_RequestQuit();
    piece.piece.run(piece.live.context);
    EXPECT_EQ(piece.frameTimes.size(), 1u); // only setup's black frame
    piece.piece.stop();
}
