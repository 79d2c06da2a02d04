// Test material for running a piece live and headless on the default show data: the show's
// settings and services, its clips extracted, and a display device whose presents a test watches.
#pragma once

#include "pieces/common/PieceContext.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/QuitRequest.h"
#include "platform/Settings.h"
#include "resources/ClipExtraction.h"
#include "resources/Servers.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace PieceTest {

inline void useFrameBufferSettings() { // for 32-bit frame buffers
    Settings& settings = Settings::instance();
    settings.set(Settings::BitsPerPixel, 32);
    settings.set(Settings::Platform, 1);
    settings.set(Settings::Interface, 1);
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
        context.device = &device;
        context.frameBuffer = frameBuffer.get();
    }
    ~LiveRun() {
        release();
        device.close();
        Sys_ClearQuitRequest();
    }
    // Services, clips and settings, ready before the device is made.
    static bool prepareShow() {
        // The services live for the whole test process, as they live for the whole show.
        [[maybe_unused]] static Servers* services = nullptr;
        if (!getExceptionServer()) services = new Servers(11, 0, 200);
        Sys_ClearQuitRequest();
        extractClips(getFileServer());
        Settings::instance().set(Settings::Width, 640);
        Settings::instance().set(Settings::Height, 480);
        useFrameBufferSettings();
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
