// Test material for running a piece live and headless on the default show data: the show's
// settings and services, its clips extracted, and a display device whose presents a test watches.
// The services live for the whole test process, as the shell keeps them for the whole show.
#pragma once

#include "pieces/common/PieceContext.h"
#include "pieces/common/PieceServices.h"
#include "platform/DisplayDevice.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"
#include "platform/QuitRequest.h"
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

inline FileServer* fileService() {
    return &services().files;
}

// A context with the test process's services and the given display pair.
inline PieceContext contextWith(DisplayDevice* device, FrameBuffer* frameBuffer) {
    return services().contextFor(device, frameBuffer);
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

// The show's services (made once and kept for the process, as the show keeps them), its clips
// extracted, and the device open on a 640x480 frame buffer; release runs before the device closes.
struct LiveRun {
    explicit LiveRun(
        std::function<void(WatchedDevice&)> onPresent, std::function<void()> release = [] {})
        : prepared(prepareShow()), device(std::move(onPresent)), release(std::move(release)) {
        frameBuffer = std::make_unique<FrameBuffer>();
        device.show = frameBuffer.get();
        device.setFrameBuffer(frameBuffer.get());
        device.open();
        context = contextWith(&device, frameBuffer.get());
    }
    ~LiveRun() {
        release();
        device.close();
        Sys_ClearQuitRequest();
    }
    // Services, clips and settings, ready before the device is made.
    static bool prepareShow() {
        Sys_ClearQuitRequest();
        extractClips(fileService());
        writeDisplaySettings(640, 480);
        return true;
    }
    bool prepared;
    WatchedDevice device;
    std::function<void()> release;
    std::unique_ptr<FrameBuffer> frameBuffer;
    PieceContext context;
};

} // namespace PieceTest

// A live run's first line: skips the test while the default show data has not been made.
#define REQUIRE_DEFAULT_SHOW_DATA()                                                                          \
    if (!std::filesystem::exists("data.data")) GTEST_SKIP() << "no default show data"
