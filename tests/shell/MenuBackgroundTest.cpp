// The menu background: placed from row 15 of the 1024x768 frame buffer in frame-buffer byte
// order, and cut to fit when the picture is larger than the room below that row.
#include "TestFiles.h"
#include "platform/DisplayPair.h"
#include "resources/JpegTestFiles.h"
#include "resources/Servers.h"
#include "shell/Menu.h"

#include <gtest/gtest.h>


namespace {

namespace fs = std::filesystem;

TEST(MenuBackground, IsDrawnFromRowFifteenAndCutToTheFrameBuffer) {
    // A picture wider and taller than the frame buffer: red rising to the right, blue downward.
    const int width = 1100, height = 800;
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = uint8_t(x * 255 / width);
            p[1] = 90;
            p[2] = uint8_t(y * 255 / height);
        }
    ScratchFolder scratch;
    fs::create_directory(scratch.file("data"));
    ASSERT_TRUE(writeTestJpeg(scratch.file("data/yo8.jpg"), rgb, width, height));
    fs::path previous = fs::current_path();
    fs::current_path(scratch.path()); // loose files are read by their names

    // Kept for the run, held here so that the leak check sees it in use.
    static Servers* services = new Servers(11, 0, 200);
    (void)services;
    writeDisplaySettings(1024, 768);
    FrameBuffer frame(1024, 768, false);
    uint32_t* pixels = frame.getPixels32();
    for (int k = 0; k < 1024 * 768; ++k)
        pixels[k] = 0x00ABCDEF;
    Menu menu;
    menu.loadBackground(*getFileServer());
    menu.drawBackground(&frame); // a store overrun here is what the sanitizer build would catch
    fs::current_path(previous);

    EXPECT_EQ(pixels[14 * 1024 + 500], 0x00ABCDEFu); // above row 15: untouched
    auto near = [](uint32_t pixel, int red, int green, int blue) {
        return std::abs(int(pixel >> 16 & 0xFF) - red) <= 4 && std::abs(int(pixel >> 8 & 0xFF) - green) <= 4 &&
               std::abs(int(pixel & 0xFF) - blue) <= 4;
    };
    EXPECT_TRUE(near(pixels[15 * 1024 + 0], 0, 90, 0)) << std::hex << pixels[15 * 1024];
    // The last column and row shown are the picture's column 1023 and row 752.
    EXPECT_TRUE(near(pixels[767 * 1024 + 1023], 1023 * 255 / width, 90, 752 * 255 / height))
        << std::hex << pixels[767 * 1024 + 1023];
}

} // namespace
