// Piece one run whole and headless on the default show data (SDL's dummy drivers), ended early
// by a quit request as Escape, the close button or a signal would make it.
#include "PieceOneTestSupport.h"

#include "media/sound/SoundSystem.h"
#include "pieces/LiveRun.h"
#include "pieces/one/PieceOne.h"
#include "pieces/one/PieceOneScene.h"

#include <gtest/gtest.h>

namespace {

// Piece one loaded and set up on a live run that asks to quit once quitNow says so after a present.
struct LoadedPiece {
    explicit LoadedPiece(std::function<bool(PieceTest::WatchedDevice&)> quitNow)
        : live(
              [quitNow](PieceTest::WatchedDevice& device) {
                  if (quitNow(device)) Sys_RequestQuit();
              },
              [this] { piece.release(); }) {
        piece.load(live.context);
        piece.setup(live.context);
    }
    PieceOne piece;
    PieceTest::LiveRun live;
};

bool isPlaying(uint32_t channel) { return PieceTest::services().sound.isActive(channel); }

} // namespace

TEST(PieceOneRun, QuitInTheOpeningSkipsEverythingButStillStartsEachPartsSound) {
    REQUIRE_DEFAULT_SHOW_DATA();
    LoadedPiece piece([](PieceTest::WatchedDevice& device) { return device.presents == 3; });
    piece.piece.run(piece.live.context);
    EXPECT_EQ(piece.live.device.presents, 3); // setup's black frame and two opening frames
    PieceOne::Sounds sounds = piece.piece.getSounds();
    for (uint32_t channel : {sounds.openingStream, sounds.musicModule, sounds.closingStream})
        EXPECT_TRUE(isPlaying(channel)) << channel;
    piece.piece.stop();
    for (uint32_t channel : {sounds.openingStream, sounds.musicModule, sounds.closingStream})
        EXPECT_FALSE(isPlaying(channel)) << channel;
    piece.piece.stop(); // the shell stops a piece twice when it was quit
}

TEST(PieceOneRun, QuitInTheMainPartAfterTheClipWasShown) {
    REQUIRE_DEFAULT_SHOW_DATA();
    int32_t mainFrames = 0;
    bool clipShown = false;
    LoadedPiece piece([&](PieceTest::WatchedDevice& device) {
        if (!isPlaying(piece.piece.getSounds().musicModule)) return false;
        PixelStore store = PixelStore::of(device.show);
        for (int32_t y = 120; y < 360 && !clipShown; ++y)
            for (int32_t x = 160; x < 480; ++x)
                clipShown = clipShown || store.at(x, y) != 0;
        return ++mainFrames == 20;
    });
    piece.piece.run(piece.live.context);
    EXPECT_EQ(mainFrames, 20);
    EXPECT_TRUE(clipShown);
    EXPECT_TRUE(isPlaying(piece.piece.getSounds().closingStream));
    EXPECT_TRUE(piece.piece.getScene()->isMirrorOff()); // the box is first mirrored at 18586 ms
    piece.piece.stop();
}
