// The SDL display device: the frame buffer shown full screen on the desktop (or in a resizable
// window), scaled with its aspect kept, converted row by row into a streaming texture whose
// format picks the row converter. Its events become the quit request, mouse and clicks.
#pragma once

#include "platform/DisplayDevice.h"

class SdlDevice : public Device {
  public:
    ~SdlDevice() override;
    // Opens a display of width x height; false (nothing left open) when SDL cannot.
    bool open(int32_t width, int32_t height) override;
    void close() override;
    bool isCloseRequested() override { return false; }
    void setFrameBuffer(FrameBuffer* frameBuffer) override { attached = frameBuffer; }
    // Pumps the events, then shows the attached frame buffer (also before `open`: events only).
    bool present() override;

    // The SDL name of the texture format in use, empty while closed (tests, diagnostics).
    static const char* getTextureFormatName();

  private:
    bool ownsDisplay() const;

    FrameBuffer* attached = nullptr;
};
