// A display device with its frame buffer, made the one way the show makes them: the settings
// say the size (keys 1 and 2, 32 bits, platform 1 with interface 1), the device (no title) and
// the frame buffer are made from them, and the frame buffer is attached to the device.
#pragma once

#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"

#include <cstdint>
#include <memory>

// Settings keys 1 to 5 for a display of width x height at 32 bits on platform (1, 1).
void writeDisplaySettings(int32_t width, int32_t height);

struct DisplayPair {
    std::unique_ptr<DisplayDevice> device;
    std::unique_ptr<FrameBuffer> frameBuffer;

    // Writes the settings for width x height and makes the pair; a device given (a test's, that
    // watches its presents) is used instead of a new one. Neither is opened here.
    static DisplayPair create(int32_t width, int32_t height, std::unique_ptr<DisplayDevice> device = nullptr);
};
