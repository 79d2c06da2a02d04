// Piece three run whole and headless on the default show data (SDL's dummy drivers), on a show
// clock the test moves forward at every present.
#include "media/SoundSystem.h"
#include "pieces/common/PieceContext.h"
#include "pieces/three/PieceThree.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/Settings.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace {

uint32_t testTicks = 0;
uint32_t readTestTicks() {
    return testTicks;
}

// Each present records the clock reading of the frame and moves the tick counter on.
class SteppingDevice : public DisplayDevice {
  public:
    SteppingDevice(uint32_t stepMs, std::function<void(FrameBuffer*, int32_t)> inspect)
        : DisplayDevice(""), stepMs(stepMs), inspect(std::move(inspect)) {}
    bool present() override {
        bool shown = DisplayDevice::present();
        frameTimes.push_back(Timer::instance().getElapsedMs());
        if (inspect && frameTimes.size() > 1) inspect(frameBuffer, frameTimes.back());
        testTicks += stepMs;
        return shown;
    }
    FrameBuffer* frameBuffer = nullptr;
    uint32_t stepMs;
    std::function<void(FrameBuffer*, int32_t)> inspect;
    std::vector<int32_t> frameTimes;
};

struct LoadedPieceThree {
    LoadedPieceThree(uint32_t stepMs, std::function<void(FrameBuffer*, int32_t)> inspect = nullptr) {
        static Servers* services = getExceptionServer() ? nullptr : new Servers(11, 0, 200);
        (void)services;
        Sys_ClearQuitRequest();
        extractClips(getFileServer());
        Settings& settings = Settings::instance();
        settings.set(Settings::Width, 640);
        settings.set(Settings::Height, 480);
        settings.set(Settings::BitsPerPixel, 32);
        settings.set(Settings::Platform, 1);
        settings.set(Settings::Interface, 1);
        testTicks = 1000;
        Sys_SetTickSource(readTestTicks);
        device = std::make_unique<SteppingDevice>(stepMs, std::move(inspect));
        frameBuffer = std::make_unique<FrameBuffer>();
        device->frameBuffer = frameBuffer.get();
        device->open();
        context.device = device.get();
        context.frameBuffer = frameBuffer.get();
        PieceThree::load(context);
    }
    ~LoadedPieceThree() {
        PieceThree::release();
        device->close();
        Sys_SetTickSource(nullptr);
        Sys_ClearQuitRequest();
    }
    std::unique_ptr<SteppingDevice> device;
    std::unique_ptr<FrameBuffer> frameBuffer;
    PieceContext context;
};

bool isPlaying(uint32_t channel) {
    return SoundSystem::instance().isActive(channel);
}

#define REQUIRE_SHOW_DATA()                                                                                  \
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no default show data"

} // namespace

TEST(PieceThreeRun, EndsOnTheFirstFrameAt106SecondsWithoutDrawingIt) {
    REQUIRE_SHOW_DATA();
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
    LoadedPieceThree piece(500, inspect);
    PieceThree::setup(piece.context);
    EXPECT_TRUE(isPlaying(PieceThree::getMusicStream()));
    PieceThree::run(piece.context);
    // setup's black frame, then frames at 0, 500, ..., 105500 ms.
    const std::vector<int32_t>& times = piece.device->frameTimes;
    ASSERT_EQ(times.size(), 1u + 212u);
    EXPECT_EQ(times[1], 0);
    EXPECT_EQ(times.back(), 105500);
    EXPECT_TRUE(pairZeroAlone);
    EXPECT_TRUE(pairSixShown);
    PieceThree::stop();
    EXPECT_FALSE(isPlaying(PieceThree::getMusicStream()));
}

TEST(PieceThreeRun, AQuitBeforeTheFirstFrameDrawsNothingAndStopStillWorks) {
    REQUIRE_SHOW_DATA();
    LoadedPieceThree piece(20);
    PieceThree::stop(); // a piece skipped by a quit is stopped without ever playing
    PieceThree::setup(piece.context);
    Sys_RequestQuit();
    PieceThree::run(piece.context);
    EXPECT_EQ(piece.device->frameTimes.size(), 1u); // only setup's black frame
    PieceThree::stop();
}
