// Test material for running a piece live and headless on the default show data: the show's
// services (kept for the whole process, as the shell keeps them), its clips extracted, a display
// device whose presents a test watches, and a show clock on ticks the test moves.
#pragma once

#include "media/sound/SoundSystem.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/PieceServices.h"
#include "platform/DisplayDevice.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"
#include "platform/QuitRequest.h"
#include "platform/SystemClock.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace PieceTest {

// The pieces' services of the test process, made once (their file service in loose-file mode
// until a test opens the archive).
inline PieceServices& services() {
    static Servers* servers = new Servers(11, 0, 200); // held here so the leak check sees it in use
    static PieceServices* kept = new PieceServices(*getFileServer());
    (void)servers;
    return *kept;
}

// A display device that keeps the frame buffer a piece attaches and calls onPresent after
// every present.
class WatchedDevice : public DisplayDevice {
  public:
    explicit WatchedDevice(std::function<void(WatchedDevice&)> onPresent)
        : DisplayDevice(""), onPresent(std::move(onPresent)) {}
    void setFrameBuffer(FrameBuffer* frameBuffer) override {
        attached = frameBuffer;
        DisplayDevice::setFrameBuffer(frameBuffer);
    }
    bool present() override {
        const bool shown = DisplayDevice::present();
        ++presents;
        if (onPresent) onPresent(*this);
        return shown;
    }
    FrameBuffer* attached = nullptr;
    FrameBuffer* show = nullptr; // the show's own 640x480 frame buffer
    int32_t presents = 0;
    std::function<void(WatchedDevice&)> onPresent;
};

// The show's services, its clips extracted, and the device open on a 640x480 frame buffer;
// release runs before the device closes.
struct LiveRun {
    explicit LiveRun(
        std::function<void(WatchedDevice&)> onPresent, std::function<void()> release = [] {})
        : prepared(prepareShow()), device(std::move(onPresent)), release(std::move(release)) {
        device.show = &frameBuffer;
        device.setFrameBuffer(&frameBuffer);
        device.open();
        context = services().contextFor(&device, &frameBuffer);
    }
    ~LiveRun() {
        release();
        device.close();
        Sys_ClearQuitRequest();
    }
    // Services, clips and settings, ready before the device and the frame buffer are made.
    static bool prepareShow() {
        Sys_ClearQuitRequest();
        extractClips(&services().files);
        writeDisplaySettings(640, 480);
        return true;
    }
    bool prepared;
    WatchedDevice device;
    std::function<void()> release;
    FrameBuffer frameBuffer;
    PieceContext context;
};

// FNV-1a over the colour bytes of the pixels from .. to, for comparing presented pictures.
inline uint64_t pictureHash(const uint32_t* from, const uint32_t* to) {
    uint64_t hash = 1469598103934665603ull;
    for (; from < to; ++from)
        hash = (hash ^ (*from & 0xFFFFFF)) * 1099511628211ull;
    return hash;
}

inline bool isPlaying(uint32_t channel) {
    return services().sound.isActive(channel);
}

// The tick counter the show clock reads in a LivePiece on test ticks.
inline uint32_t testTicks = 0;

// A piece loaded on a live run and released before the device closes; onPresent sees every
// present. With stepMs the show clock runs on testTicks, from 1000 and stepMs on at every present.
template <typename ShowPiece> struct LivePiece {
    explicit LivePiece(uint32_t stepMs = 0)
        : live(
              [this, stepMs](WatchedDevice& device) {
                  if (onPresent) onPresent(device);
                  testTicks += stepMs;
              },
              [this, stepMs] {
                  piece.release();
                  if (stepMs) Sys_SetTickSource(nullptr);
              }) {
        testTicks = 1000;
        if (stepMs) Sys_SetTickSource([] { return testTicks; });
        piece.load(live.context);
    }
    ShowPiece piece;
    LiveRun live;
    std::function<void(WatchedDevice&)> onPresent;
};

} // namespace PieceTest

// A live run's first line: skips the test while the default show data has not been made.
#define REQUIRE_DEFAULT_SHOW_DATA()                                                                          \
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no default show data"
