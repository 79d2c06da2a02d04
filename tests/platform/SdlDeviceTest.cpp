// The SDL display under SDL's dummy video driver: frames reach the screen through every
// texture format the converters serve, and events become quit requests and frame-pixel mice.
#include "platform/sdl/SdlDevice.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/GraphicsFactory.h"
#include "platform/DisplayPair.h"
#include "platform/Settings.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int quitReports = 0;
void countQuit() {
    ++quitReports;
}

class SdlDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Sys_DisplayAvailable()) GTEST_SKIP() << "no SDL video driver";
        writeDisplaySettings(64, 48);
        DisplayInput::reset();
        quitReports = 0;
        DisplayInput::setQuitHandler(countQuit);
    }
    void TearDown() override {
        unsetenv("TRIPTYCH_TEXTURE_FORMAT");
        DisplayInput::setQuitHandler(nullptr);
        DisplayInput::reset();
        DisplayOptions::setWindowed(false);
    }

    // What the renderer shows at frame pixel (x, y), as 0x00RRGGBB.
    static uint32_t shownAt(int x, int y) {
        SDL_Renderer* renderer = SDL_GetRenderer(static_cast<SDL_Window*>(getWindowHandle()));
        SDL_Rect pixel{x, y, 1, 1};
        uint32_t value = 0;
        EXPECT_EQ(SDL_RenderReadPixels(renderer, &pixel, SDL_PIXELFORMAT_RGB888, &value, 4), 0)
            << SDL_GetError();
        return value & 0xFFFFFF;
    }
};

TEST_F(SdlDeviceTest, FramesReachTheScreenThroughEveryConvertedFormatAndFromADoubledStore) {
    DisplayOptions::setWindowed(true); // window of exactly the frame's size
    FrameBuffer frame;
    uint32_t* pixels = frame.getPixels32();
    std::fill(pixels, pixels + 64 * 48, 0x00406080);
    pixels[0] = 0x00FF0000;            // red, top left
    pixels[64 * 47 + 63] = 0x000000FF; // blue, bottom right
    // Colours that survive 5 bits per channel exactly.
    for (const char* format : {"RGB888", "BGR888", "RGB24", "BGR24", "RGB565", "BGR565", "RGB555", "BGR555"}) {
        setenv("TRIPTYCH_TEXTURE_FORMAT", format, 1);
        SdlDevice device;
        device.setFrameBuffer(&frame);
        ASSERT_TRUE(device.open(64, 48)) << format << ": " << SDL_GetError();
        EXPECT_EQ(std::string(SdlDevice::getTextureFormatName()), std::string("SDL_PIXELFORMAT_") + format);
        ASSERT_TRUE(device.present());
        EXPECT_EQ(shownAt(0, 0) & 0xF8F8F8, 0xF80000u) << format;
        EXPECT_EQ(shownAt(63, 47) & 0xF8F8F8, 0x0000F8u) << format;
        EXPECT_EQ(shownAt(30, 20) & 0xF8F8F8, 0x406080u) << format;
        device.close();
        EXPECT_EQ(getWindowHandle(), nullptr);
    }

    unsetenv("TRIPTYCH_TEXTURE_FORMAT");
    FrameBuffer doubled(64, 24, true); // 24 picture lines on every second row of a 64x48 store
    for (int y = 0; y < 24; ++y)
        std::fill_n(doubled.getPixels32() + y * 128, 64, 0x00406080);
    SdlDevice device;
    device.setFrameBuffer(&doubled);
    ASSERT_TRUE(device.open(64, 48)) << SDL_GetError();
    ASSERT_TRUE(device.present());
    EXPECT_EQ(shownAt(10, 0), 0x406080u);
    EXPECT_EQ(shownAt(10, 46), 0x406080u); // the last picture line
    EXPECT_EQ(shownAt(10, 47), 0u);        // the row after it, never written
    device.close();
}

TEST_F(SdlDeviceTest, EscapeAndCloseRequestQuitAltEnterSwitchesFullScreen) {
    SdlDevice device;
    ASSERT_TRUE(device.open(64, 48));
    SDL_Window* window = static_cast<SDL_Window*>(getWindowHandle());
    auto fullScreen = [&] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; };
    auto press = [&](SDL_Keycode sym, Uint16 mod) {
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.sym = sym;
        key.key.keysym.mod = mod;
        SDL_PushEvent(&key);
        device.present();
    };
    press(SDLK_SPACE, 0);
    EXPECT_EQ(quitReports, 0);
    press(SDLK_ESCAPE, 0);
    EXPECT_EQ(quitReports, 1);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    device.present();
    EXPECT_EQ(quitReports, 2);
    EXPECT_FALSE(device.isCloseRequested());

    ASSERT_TRUE(fullScreen());
    press(SDLK_RETURN, KMOD_LALT);
    EXPECT_FALSE(fullScreen());
    press(SDLK_RETURN, KMOD_LALT);
    EXPECT_TRUE(fullScreen());
    EXPECT_EQ(quitReports, 2);
    device.close();
}

TEST_F(SdlDeviceTest, MouseAndLeftClicksAreReportedInFramePixels) {
    // Full screen on the dummy driver's desktop: the 64x48 frame is scaled up.
    SdlDevice device;
    ASSERT_TRUE(device.open(64, 48));
    SDL_Window* window = static_cast<SDL_Window*>(getWindowHandle());
    int windowWidth = 0, windowHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    float scale = std::min(windowWidth / 64.0f, windowHeight / 48.0f);
    float offsetX = (windowWidth - 64 * scale) / 2, offsetY = (windowHeight - 48 * scale) / 2;
    // Pushes an event at the middle of frame pixel (x, y); SDL rescales pushed events in place.
    auto push = [&](Uint32 type, Uint8 button, float x, float y) {
        const Sint32 windowX = Sint32(offsetX + (x + 0.5f) * scale), windowY = Sint32(offsetY + (y + 0.5f) * scale);
        SDL_Event event{};
        if (type == SDL_MOUSEMOTION)
            event.motion = {type, 0, SDL_GetWindowID(window), 0, 0, windowX, windowY, 0, 0};
        else
            event.button = {type, 0, SDL_GetWindowID(window), 0, button, SDL_PRESSED, 1, 0, windowX, windowY};
        SDL_PushEvent(&event);
        device.present();
    };

    push(SDL_MOUSEMOTION, 0, 32, 10);
    EXPECT_EQ(DisplayInput::getMouseX(), 32);
    EXPECT_EQ(DisplayInput::getMouseY(), 10);

    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 40);
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 64, 48)); // only the left button clicks
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 40);
    EXPECT_FALSE(DisplayInput::takeClickIn(0, 0, 5, 48));
    EXPECT_TRUE(DisplayInput::takeClickIn(4, 39, 6, 41));
    device.close();
}

} // namespace
