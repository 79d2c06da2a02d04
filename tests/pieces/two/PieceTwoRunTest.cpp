// Piece two run live and headless on the default show data (SDL's dummy drivers), ended by a
// quit request; and the clock of its rendered frames.
#include "PieceTwoTestSupport.h"

#include "media/SoundSystem.h"
#include "pieces/common/PieceContext.h"
#include "pieces/two/FrameClock.h"
#include "pieces/two/PieceTwo.h"
#include "platform/DisplayDevice.h"
#include "platform/QuitRequest.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"
#include "resources/ShowClips.h"

#include <gtest/gtest.h>

#include <filesystem>

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

// A display device that keeps what the piece attaches and asks for a quit after `frames`
// presents.
class CountingDevice : public DisplayDevice {
  public:
    explicit CountingDevice(int32_t frames) : DisplayDevice(""), frames(frames) {}
    void setFrameBuffer(FrameBuffer* frameBuffer) override {
        attached = frameBuffer;
        DisplayDevice::setFrameBuffer(frameBuffer);
    }
    bool present() override {
        bool shown = DisplayDevice::present();
        for (int32_t y = 0; y < 240 && attached; ++y)
            for (int32_t x = 0; x < 640; ++x)
                inBetweenLinesBlack &= attached->getPixels32()[y * 1280 + 640 + x] == 0;
        if (++presents == frames) Sys_RequestQuit();
        return shown;
    }
    int32_t frames;
    int32_t presents = 0;
    FrameBuffer* attached = nullptr;
    bool inBetweenLinesBlack = true;
};

TEST(PieceTwoRun, LiveRunEndsOnAQuitRequestWithItsMusicPlaying) {
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no default show data";
    Sys_ClearQuitRequest();
    if (!getExceptionServer()) new Servers(11, 0, 200); // kept for the process, as the show keeps it
    extractClips(getFileServer());
    Settings::instance().set(Settings::Width, 640);
    Settings::instance().set(Settings::Height, 480);
    PieceTwoTest::useFrameBufferSettings();
    CountingDevice device(20);
    FrameBuffer showFrameBuffer;
    device.setFrameBuffer(&showFrameBuffer);
    device.open();
    PieceContext context;
    context.device = &device;
    context.frameBuffer = &showFrameBuffer;
    context.seed = 3;

    PieceTwo::load(context);
    ASSERT_NE(ClipLibrary::instance().getClip(tempClipPath(showClips[flightClip].fileName)), nullptr);
    ASSERT_NE(ClipLibrary::instance().getClip(tempClipPath(showClips[tunnelClip].fileName)), nullptr);
    PieceTwo::setup(context);
    ASSERT_NE(device.attached, &showFrameBuffer);
    EXPECT_EQ(device.attached->getWidth(), 640);
    EXPECT_EQ(device.attached->getHeight(), 240);
    EXPECT_EQ(device.attached->isDoubled(), 640);
    PieceTwo::run(context);
    EXPECT_EQ(device.presents, 20);
    EXPECT_TRUE(device.inBetweenLinesBlack);
    ASSERT_NE(PieceTwo::getMusic(), 0u);
    EXPECT_TRUE(SoundSystem::instance().isActive(PieceTwo::getMusic()));
    PieceTwo::stop();
    PieceTwo::stop(); // the shell stops a piece twice when it was quit
    EXPECT_FALSE(SoundSystem::instance().isActive(PieceTwo::getMusic()));
    PieceTwo::release();
    EXPECT_EQ(ClipLibrary::instance().getClip(tempClipPath(showClips[flightClip].fileName)), nullptr);
    device.close();
    Sys_ClearQuitRequest();
}

} // namespace
