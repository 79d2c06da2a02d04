// A display device that shows nothing: frames are accepted and dropped. Used where no screen
// exists (tests, rendering without a display) and as the smallest example of a backend.
#pragma once

#include "platform/DisplayDevice.h"

class DummyDevice : public Device {
public:
    bool open(int32_t width, int32_t height) override;
    void close() override;
    bool isCloseRequested() override { return false; }
    void setFrameBuffer(FrameBuffer* frameBuffer) override { attached = frameBuffer; }
    bool present() override;

    FrameBuffer* getFrameBuffer() { return attached; }
    int32_t getPresentCount() const { return presentCount; }
    bool isOpen() const { return opened; }

private:
    FrameBuffer* attached = nullptr;
    int32_t presentCount = 0;
    bool opened = false;
};
