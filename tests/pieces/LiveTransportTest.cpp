// The viewer's keys pushed into SDL's queue while piece three runs live, its clock moved 16 ms (its
// period) at every present: a pause holds the picture and the clock, and a seek forward or back
// lands on the frame a continuous run shows at the time sought.
#include "pieces/LiveRun.h"
#include "pieces/three/PieceThree.h"
#include "platform/ShowRandom.h"
#include "shell/LiveTransport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

void pressKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

struct Present {
    int32_t clockMs;
    uint64_t picture; // below the readout's corner
    uint32_t corner;  // a pixel inside the readout's box
};

// Piece three live on test ticks moved 16 ms at every present, with a transport over its part of
// the show; each present is recorded, then pressKeys may press keys.
struct LivePieceThree : PieceTest::LivePiece<PieceThree> {
    LivePieceThree() : LivePiece(16) {
        onPresent = [this](PieceTest::WatchedDevice& device) {
            const uint32_t* pixels = device.show->getPixels32();
            presents.push_back({PieceTest::services().clock.getElapsedMs(),
                                PieceTest::pictureHash(pixels + 640 * 60, pixels + 640 * 480),
                                pixels[20 * 640 + 20] & 0xFFFFFF});
            if (pressKeys) pressKeys(presents.back());
        };
    }
    // One run planned from startMs to endMs of the piece's clock, with the transport.
    void run(int32_t startMs, int32_t endMs) {
        presents.clear();
        PieceTest::testTicks = 1000;
        ShowRandom::seed(7);
        PieceContext context = live.context;
        context.plan[0].startMs = startMs;
        context.plan[0].endMs = endMs;
        context.live = &transport;
        piece.setup(context);
        piece.run(context);
        piece.stop();
    }
    // The picture of the first present at clockMs.
    uint64_t pictureAt(int32_t clockMs) const {
        for (const Present& each : presents)
            if (each.clockMs == clockMs) return each.picture;
        ADD_FAILURE() << "no frame at " << clockMs;
        return 0;
    }
    LiveTransport transport{
        *live.context.clock, *live.context.sound, {{false, false, true}, 0, 380528000, false}};
    std::vector<Present> presents;
    std::function<void(const Present&)> pressKeys;
};

constexpr int64_t pieceThreeStartUs = 274528000;

} // namespace

TEST(LiveTransport, PauseHoldsThePictureAndTheClockAndShowsTheReadout) {
    REQUIRE_DEFAULT_SHOW_DATA();
    LivePieceThree piece;
    // Space once the clock passes 1 s (a key is taken at the next present), and again once the
    // picture has been held for eight presents.
    int32_t pausedAt = -1, heldPresents = 0, previousMs = -1;
    piece.pressKeys = [&](const Present& now) {
        if (previousMs < 1000 && now.clockMs >= 1000) {
            pressKey(SDLK_SPACE);
        } else if (now.clockMs >= 1000 && now.clockMs == previousMs && pausedAt < 0 && ++heldPresents == 8) {
            pausedAt = now.clockMs;
            pressKey(SDLK_SPACE);
        }
        previousMs = now.clockMs;
    };
    piece.run(0, 1200);
    ASSERT_GE(pausedAt, 1000) << "the picture was not held";
    std::vector<Present> held;
    for (const Present& each : piece.presents)
        if (each.clockMs == pausedAt) held.push_back(each);
    // The frame, then the held presents with the readout, then the frame drawn again at the
    // same time once resumed.
    ASSERT_GE(held.size(), 9u);
    for (size_t k = 1; k < held.size(); ++k) {
        EXPECT_EQ(held[k].picture, held[0].picture) << "held frame " << k;
        if (k <= 8) {
            EXPECT_EQ(held[k].corner, 0x101010u) << "no readout on held frame " << k;
        }
    }
    // The clock carries on from where it stopped: the next frame is one period on.
    const auto next = std::find_if(piece.presents.begin(), piece.presents.end(),
                                   [&](const Present& each) { return each.clockMs > pausedAt; });
    ASSERT_NE(next, piece.presents.end());
    EXPECT_LE(next->clockMs, pausedAt + 2 * 16);
}

TEST(LiveTransport, SeeksLandOnTheFrameOfAContinuousRunForwardAndBack) {
    REQUIRE_DEFAULT_SHOW_DATA();
    LivePieceThree piece;
    // A continuous run at the live period through both times.
    piece.run(0, 12100);
    const uint64_t atTwo = piece.pictureAt(2000), atTwelve = piece.pictureAt(12000);
    ASSERT_NE(atTwo, atTwelve);

    // Right, taken at the frame of 2 s, ends the run there and asks for 12 s.
    piece.pressKeys = [](const Present& now) {
        if (now.clockMs == 2000 - 16) pressKey(SDLK_RIGHT);
    };
    piece.run(0, 20000);
    EXPECT_EQ(piece.presents.back().clockMs, 2000);
    EXPECT_EQ(piece.transport.takeSeek().value_or(-1), pieceThreeStartUs + 12000000);

    // Started at the target, as the shell starts it, the first frame is the continuous run's;
    // Left, pressed while the piece computes its way there, is taken at that frame.
    piece.transport.landAfterSeek();
    piece.pressKeys = [first = true](const Present&) mutable {
        if (std::exchange(first, false)) pressKey(SDLK_LEFT);
    };
    piece.run(12000, 20000);
    EXPECT_EQ(piece.pictureAt(12000), atTwelve);
    EXPECT_EQ(piece.transport.takeSeek().value_or(-1), pieceThreeStartUs + 2000000);
    piece.pressKeys = nullptr;
    piece.run(2000, 2100);
    EXPECT_EQ(piece.pictureAt(2000), atTwo);
}
