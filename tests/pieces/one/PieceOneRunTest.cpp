// Piece one run whole and headless on the default show data (SDL's dummy drivers), ended early
// by a quit request as Escape, the close button or a signal would make it.
#include "pieces/LiveRun.h"
#include "pieces/one/PieceOne.h"
#include "pieces/one/PixelStore.h"

#include <gtest/gtest.h>

using PieceTest::isPlaying;

TEST(PieceOneRun, QuitInTheOpeningSkipsEverythingButStillStartsEachPartsSound) {
    REQUIRE_DEFAULT_SHOW_DATA();
    PieceTest::LivePiece<PieceOne> one;
    one.onPresent = [](PieceTest::WatchedDevice& device) {
        if (device.presents == 3) Sys_RequestQuit();
    };
    one.piece.setup(one.live.context);
    one.piece.run(one.live.context);
    EXPECT_EQ(one.live.device.presents, 3); // setup's black frame and two opening frames
    PieceOne::Sounds sounds = one.piece.getSounds();
    for (uint32_t channel : {sounds.openingStream, sounds.musicModule, sounds.closingStream})
        EXPECT_TRUE(isPlaying(channel)) << channel;
    one.piece.stop();
    for (uint32_t channel : {sounds.openingStream, sounds.musicModule, sounds.closingStream})
        EXPECT_FALSE(isPlaying(channel)) << channel;
    one.piece.stop(); // the shell stops a piece twice when it was quit
}

TEST(PieceOneRun, QuitInTheMainPartAfterTheClipWasShown) {
    REQUIRE_DEFAULT_SHOW_DATA();
    int32_t mainFrames = 0;
    bool clipShown = false;
    PieceTest::LivePiece<PieceOne> one;
    one.onPresent = [&](PieceTest::WatchedDevice& device) {
        if (!isPlaying(one.piece.getSounds().musicModule)) return;
        PixelStore store = PixelStore::of(device.show);
        for (int32_t y = 120; y < 360 && !clipShown; ++y)
            for (int32_t x = 160; x < 480; ++x)
                clipShown = clipShown || store.at(x, y) != 0;
        if (++mainFrames == 20) Sys_RequestQuit();
    };
    one.piece.setup(one.live.context);
    one.piece.run(one.live.context);
    EXPECT_EQ(mainFrames, 20);
    EXPECT_TRUE(clipShown);
    one.piece.stop();
}
