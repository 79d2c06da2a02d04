// Piece one run whole and headless on the default show data (SDL's dummy drivers), ended early
// by a quit request as Escape, the close button or a signal would make it.
#include "PieceOneTestSupport.h"

#include "media/SoundSystem.h"
#include "pieces/common/PieceContext.h"
#include "pieces/one/PieceOne.h"
#include "pieces/one/PieceOneScene.h"
#include "platform/DisplayDevice.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"
#include "platform/QuitRequest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

// The show's services, created once and kept for the whole process as the show keeps them.
Servers* runTestServers = nullptr;

namespace {

// A display device that asks the show to quit once `quitNow` says so after a present.
class QuittingDevice : public DisplayDevice {
public:
    explicit QuittingDevice(std::function<bool(QuittingDevice&)> quitNow) : DisplayDevice(""), quitNow(quitNow) {}
    bool present() override {
        bool shown = DisplayDevice::present();
        ++presents;
        if (quitNow(*this)) Sys_RequestQuit();
        return shown;
    }
    FrameBuffer* frameBuffer = nullptr;
    int32_t presents = 0;
    std::function<bool(QuittingDevice&)> quitNow;
};

struct LoadedPiece {
    explicit LoadedPiece(std::function<bool(QuittingDevice&)> quitNow) {
        Sys_ClearQuitRequest();
        if (!getExceptionServer()) runTestServers = new Servers(11, 0, 200);
        extractClips(getFileServer());
        Settings::instance().set(Settings::Width, 640);
        Settings::instance().set(Settings::Height, 480);
        PieceOneTest::useFrameBufferSettings();
        device = std::make_unique<QuittingDevice>(quitNow);
        frameBuffer = std::make_unique<FrameBuffer>();
        device->frameBuffer = frameBuffer.get();
        device->setFrameBuffer(frameBuffer.get());
        device->open();
        context.device = device.get();
        context.frameBuffer = frameBuffer.get();
        PieceOne::load(context);
        PieceOne::setup(context);
    }
    ~LoadedPiece() {
        PieceOne::release();
        device->close();
    }
    std::unique_ptr<QuittingDevice> device;
    std::unique_ptr<FrameBuffer> frameBuffer;
    PieceContext context;
};

bool isPlaying(uint32_t channel) { return SoundSystem::instance().isActive(channel); }

} // namespace

TEST(PieceOneRun, QuitInTheOpeningSkipsEverythingButStillStartsEachPartsSound) {
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no default show data";
    LoadedPiece piece([](QuittingDevice& device) { return device.presents == 3; });
    PieceOne::run(piece.context);
    EXPECT_EQ(piece.device->presents, 3); // setup's black frame and two opening frames
    PieceOne::Sounds sounds = PieceOne::getSounds();
    for (uint32_t channel : {sounds.openingStream, sounds.musicModule, sounds.closingStream})
        EXPECT_TRUE(isPlaying(channel)) << channel;
    PieceOne::stop();
    for (uint32_t channel : {sounds.openingStream, sounds.musicModule, sounds.closingStream})
        EXPECT_FALSE(isPlaying(channel)) << channel;
    PieceOne::stop(); // the shell stops a piece twice when it was quit
}

TEST(PieceOneRun, QuitInTheMainPartAfterTheClipWasShown) {
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no default show data";
    int32_t mainFrames = 0;
    bool clipShown = false;
    LoadedPiece piece([&](QuittingDevice& device) {
        if (!isPlaying(PieceOne::getSounds().musicModule)) return false;
        PixelStore store = PixelStore::of(device.frameBuffer);
        for (int32_t y = 120; y < 360 && !clipShown; ++y)
            for (int32_t x = 160; x < 480; ++x) clipShown = clipShown || store.at(x, y) != 0;
        return ++mainFrames == 20;
    });
    PieceOne::run(piece.context);
    EXPECT_EQ(mainFrames, 20);
    EXPECT_TRUE(clipShown);
    EXPECT_TRUE(isPlaying(PieceOne::getSounds().closingStream));
    EXPECT_TRUE(PieceOne::getScene()->isMirrorOff()); // the box is first mirrored at 18586 ms
    PieceOne::stop();
}
