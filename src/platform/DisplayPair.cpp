// Making a display pair from the settings.
#include "platform/DisplayPair.h"

#include "platform/Settings.h"

void writeDisplaySettings(int32_t width, int32_t height) {
    Settings& settings = Settings::instance();
    settings.set(Settings::Width, width);
    settings.set(Settings::Height, height);
    settings.set(Settings::BitsPerPixel, 32);
    settings.set(Settings::Platform, 1);
    settings.set(Settings::Interface, 1);
}

DisplayPair DisplayPair::create(int32_t width, int32_t height, std::unique_ptr<DisplayDevice> device) {
    writeDisplaySettings(width, height);
    DisplayPair pair;
    pair.device = device ? std::move(device) : std::make_unique<DisplayDevice>("");
    pair.frameBuffer = std::make_unique<FrameBuffer>();
    pair.device->setFrameBuffer(pair.frameBuffer.get());
    return pair;
}
