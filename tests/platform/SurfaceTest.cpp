// Frame buffers and their memory surfaces: sizes from the settings and doubled stores.
#include "platform/FrameBuffer.h"
#include "platform/GraphicsFactory.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void writeSettings(int32_t width, int32_t height, int32_t bits) {
    Settings& settings = Settings::instance();
    settings.set(Settings::Width, width);
    settings.set(Settings::Height, height);
    settings.set(Settings::BitsPerPixel, bits);
    settings.set(Settings::Platform, 1);
    settings.set(Settings::Interface, 1);
}

TEST(Surface, DefaultSizeComesFromTheSettingsWhenBuilt) {
    writeSettings(640, 480, 32);
    FrameBuffer frame;
    writeSettings(1024, 768, 32); // later changes do not touch an existing frame buffer
    EXPECT_EQ(frame.getWidth(), 640);
    EXPECT_EQ(frame.getHeight(), 480);
    EXPECT_EQ(frame.getBitsPerPixel(), 32);
    EXPECT_EQ(frame.isDoubled(), 0);
    EXPECT_EQ(static_cast<MemorySurface*>(frame.getSurface())->getStoreBytes(), 640 * 480 * 4);
    std::memset(frame.getPixels(), 0x7F, 640 * 480 * 4); // the whole store is usable
}

TEST(Surface, ADoubledStoreHoldsTwiceTheRowsAndReportsItsWidth) {
    writeSettings(640, 480, 32);
    FrameBuffer doubled(640, 240, true);
    EXPECT_EQ(doubled.getHeight(), 240);
    EXPECT_EQ(doubled.isDoubled(), 640); // the extra distance between picture rows
    EXPECT_EQ(static_cast<MemorySurface*>(doubled.getSurface())->getStoreBytes(), 640 * 480 * 4);
    const uint8_t* pixels = doubled.getPixels();
    for (size_t k = 0; k < size_t(640) * 480 * 4; k += 4099)
        ASSERT_EQ(pixels[k], 0);

    FrameBuffer plain(100, 50, false);
    EXPECT_EQ(plain.isDoubled(), 0);
    EXPECT_EQ(static_cast<MemorySurface*>(plain.getSurface())->getStoreBytes(), 100 * 50 * 4);
}

} // namespace
