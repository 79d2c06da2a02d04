// SDL display device: window, renderer and streaming texture, and the plain window functions of
// the platform layer. Its events are handled in SdlEvents.
#include "platform/sdl/SdlDevice.h"

#include "platform/FrameBuffer.h"
#include "platform/SystemClock.h"
#include "platform/pixels/RowConverter.h"
#include "platform/sdl/SdlEvents.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One display at a time, shared by every device object.
struct DisplayState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    Uint32 textureFormat = SDL_PIXELFORMAT_UNKNOWN;
    RowConverter converter = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int cursorShown = -1; // what SDL was last told; -1: not yet
    bool videoStarted = false;
    const SdlDevice* owner = nullptr; // the device that opened it
};
DisplayState display;

bool hasText(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

RowConverter converterFor(Uint32 format) {
    int bits = 0;
    Uint32 red = 0, green = 0, blue = 0, alpha = 0;
    if (!SDL_PixelFormatEnumToMasks(format, &bits, &red, &green, &blue, &alpha)) return nullptr;
    if (bits == 15) bits = 16; // 5-5-5 pixels are stored in 16-bit words
    return selectRowConverter(bits, red, green, blue);
}

// The texture format: TRIPTYCH_TEXTURE_FORMAT when it names one the converters serve (to try
// the other output formats), else the frame buffer's own layout where the renderer has it,
// else the first of the renderer's formats that a converter serves.
Uint32 chooseTextureFormat(SDL_Renderer* renderer) {
    if (const char* wanted = std::getenv("TRIPTYCH_TEXTURE_FORMAT"); wanted && *wanted) {
        for (Uint32 format :
             {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_BGR888, SDL_PIXELFORMAT_ARGB8888,
              SDL_PIXELFORMAT_ABGR8888, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_BGR24, SDL_PIXELFORMAT_RGB565,
              SDL_PIXELFORMAT_BGR565, SDL_PIXELFORMAT_RGB555, SDL_PIXELFORMAT_BGR555}) {
            const char* name = SDL_GetPixelFormatName(format);
            if (std::strcmp(wanted, name) == 0 ||
                std::strcmp(wanted, name + std::strlen("SDL_PIXELFORMAT_")) == 0)
                return format;
        }
    }
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return SDL_PIXELFORMAT_RGB888;
    for (Uint32 k = 0; k < info.num_texture_formats; ++k)
        if (info.texture_formats[k] == SDL_PIXELFORMAT_RGB888) return SDL_PIXELFORMAT_RGB888;
    for (Uint32 k = 0; k < info.num_texture_formats; ++k)
        if (converterFor(info.texture_formats[k])) return info.texture_formats[k];
    return SDL_PIXELFORMAT_RGB888; // SDL converts it for the renderer
}

void applyCursor() {
    int wanted = DisplayInput::isCursorVisible() ? SDL_ENABLE : SDL_DISABLE;
    if (display.cursorShown != wanted) {
        SDL_ShowCursor(wanted);
        display.cursorShown = wanted;
    }
}

void releaseDisplay() {
    if (display.texture) SDL_DestroyTexture(display.texture);
    if (display.renderer) SDL_DestroyRenderer(display.renderer);
    if (display.window) SDL_DestroyWindow(display.window);
    display.texture = nullptr;
    display.renderer = nullptr;
    display.window = nullptr;
    display.converter = nullptr;
    display.textureFormat = SDL_PIXELFORMAT_UNKNOWN;
    display.cursorShown = -1;
    display.owner = nullptr;
    setWindowHandle(nullptr);
    if (display.videoStarted) {
        SDL_EnableScreenSaver();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        display.videoStarted = false;
    }
}

bool createDisplay(int32_t width, int32_t height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    display.videoStarted = true;
    Uint32 flags = DisplayOptions::isWindowed() ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (DisplayOptions::isHidden()) flags |= SDL_WINDOW_HIDDEN;
    // Full screen, the window starts at the desktop's size, so that it covers the screen even
    // where no window manager is there to enlarge it.
    int windowWidth = width, windowHeight = height;
    SDL_DisplayMode desktop;
    if (!DisplayOptions::isWindowed() && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 &&
        desktop.h > 0) {
        windowWidth = desktop.w;
        windowHeight = desktop.h;
    }
    display.window = SDL_CreateWindow("Triptych", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, windowWidth,
                                      windowHeight, flags);
    if (!display.window) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    display.renderer = SDL_CreateRenderer(display.window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!display.renderer) display.renderer = SDL_CreateRenderer(display.window, -1, 0);
    if (!display.renderer) return false;
    // Logical size: scaled with the aspect kept, black borders, mouse reported in frame pixels.
    SDL_RenderSetLogicalSize(display.renderer, width, height);
    display.textureFormat = chooseTextureFormat(display.renderer);
    display.converter = converterFor(display.textureFormat);
    if (!display.converter) return false;
    display.texture = SDL_CreateTexture(display.renderer, display.textureFormat, SDL_TEXTUREACCESS_STREAMING,
                                        width, height);
    if (!display.texture) return false;
    SDL_SetTextureBlendMode(display.texture, SDL_BLENDMODE_NONE);
    display.width = width;
    display.height = height;
    return true;
}

} // namespace

SdlDevice::~SdlDevice() {
    close();
}

bool SdlDevice::ownsDisplay() const {
    return display.owner == this && display.window;
}

bool SdlDevice::open(int32_t width, int32_t height) {
    if (display.window) releaseDisplay(); // another device still had the screen
    if (width <= 0 || height <= 0 || !createDisplay(width, height)) {
        // The show goes on without a picture (rendering to files still works); say why.
        std::fprintf(stderr, "triptych: couldn't open the %dx%d display: %s\n", width, height,
                     SDL_GetError());
        releaseDisplay();
        return false;
    }
    display.owner = this;
    SDL_DisableScreenSaver();
    setWindowHandle(display.window);
    applyCursor();
    return true;
}

void SdlDevice::close() {
    if (ownsDisplay()) releaseDisplay();
}

bool SdlDevice::present() {
    if (!ownsDisplay()) {
        if (SDL_WasInit(SDL_INIT_VIDEO)) pumpDisplayEvents(display.window);
        return true;
    }
    pumpDisplayEvents(display.window);
    applyCursor();
    // Hidden (rendering to files: as fast as drawing allows) or minimised (resting 1 ms):
    // nothing to show.
    Uint32 flags = SDL_GetWindowFlags(display.window);
    if (flags & SDL_WINDOW_HIDDEN) return true;
    if (flags & SDL_WINDOW_MINIMIZED) {
        Sys_Sleep(1);
        return true;
    }
    void* locked = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(display.texture, nullptr, &locked, &pitch) != 0) return false;
    if (attached && attached->getPixels() && attached->getBitsPerPixel() == 32) {
        // Rows and columns the frame buffer's store really has: a smaller store is never read
        // past, and a doubled store shows all its rows (the picture lines and those between).
        int32_t columns = std::min(display.width, attached->getWidth());
        int32_t rows = std::min(display.height, attached->getHeight() * (attached->isDoubled() ? 2 : 1));
        const uint8_t* source = attached->getPixels();
        for (int32_t y = 0; y < rows; ++y)
            display.converter(source + size_t(y) * size_t(attached->getWidth()) * 4,
                              static_cast<uint8_t*>(locked) + size_t(y) * size_t(pitch), columns);
    }
    SDL_UnlockTexture(display.texture);
    SDL_SetRenderDrawColor(display.renderer, 0, 0, 0, 255);
    SDL_RenderClear(display.renderer);
    SDL_RenderCopy(display.renderer, display.texture, nullptr, nullptr);
    SDL_RenderPresent(display.renderer);
    return true;
}

const char* SdlDevice::getTextureFormatName() {
    return display.texture ? SDL_GetPixelFormatName(display.textureFormat) : "";
}

bool Sys_DisplayAvailable() {
    static int available = -1;
    if (available < 0) {
        available = 0;
        // The video subsystem stays started from here to the end of the process, so the show
        // keeps one connection to the display server between its windows. An X server whose
        // last client leaves resets (bare Xvfb, an xinit session), and a connection tried during
        // the reset fails: SDL would then fall back to a driver without a window.
        if (hasText("DISPLAY") || hasText("WAYLAND_DISPLAY") || hasText("SDL_VIDEODRIVER"))
            available = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? 1 : 0;
    }
    return available == 1;
}

void Sys_HideWindow(void* windowHandle) {
    if (windowHandle) SDL_HideWindow(static_cast<SDL_Window*>(windowHandle));
}
