// The progress window over SDL: its own window and renderer, its events caught by an event
// watch so that the display device's event loop cannot swallow them.
#include "media/progress/ProgressWindow.h"

#include "platform/MessageBox.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

// 5x7 glyphs of the button's label, one byte per row, high bit of the low five is the left pixel.
struct Glyph {
    char letter;
    uint8_t rows[7];
};
constexpr Glyph labelGlyphs[] = {
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}}, {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}},
    {'e', {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E}}, {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
};

void drawLabel(SDL_Renderer* renderer, const char* text, int x, int y, int scale) {
    for (; *text; ++text, x += 6 * scale) {
        for (const Glyph& glyph : labelGlyphs) {
            if (glyph.letter != *text) continue;
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (glyph.rows[row] & (0x10 >> column)) {
                        SDL_Rect dot{x + column * scale, y + row * scale, scale, scale};
                        SDL_RenderFillRect(renderer, &dot);
                    }
        }
    }
}

} // namespace

struct ProgressWindow::Impl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    Uint32 windowId = 0;
    int32_t percent = 0;
    int32_t wholePercent = -1; // no bar until the render's plan is known
    std::atomic<bool> cancelAsked{false};

    // Runs for every event SDL queues, whoever pumps; keeps this window's cancel requests.
    static int watch(void* user, SDL_Event* event) {
        auto* self = static_cast<Impl*>(user);
        switch (event->type) {
        case SDL_MOUSEBUTTONUP:
            if (event->button.windowID == self->windowId && event->button.button == SDL_BUTTON_LEFT &&
                isOnCancelButton(event->button.x, event->button.y))
                self->cancelAsked = true;
            break;
        case SDL_KEYDOWN:
            if (event->key.windowID == self->windowId && event->key.keysym.sym == SDLK_ESCAPE)
                self->cancelAsked = true;
            break;
        case SDL_WINDOWEVENT:
            if (event->window.windowID == self->windowId && event->window.event == SDL_WINDOWEVENT_CLOSE)
                self->cancelAsked = true;
            break;
        default:
            break;
        }
        return 1;
    }

    // Takes this window's events out of the queue so that nobody else acts on them.
    static int isForeign(void* user, SDL_Event* event) {
        auto* self = static_cast<Impl*>(user);
        Uint32 id = 0;
        switch (event->type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            id = event->button.windowID;
            break;
        case SDL_MOUSEMOTION:
            id = event->motion.windowID;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            id = event->key.windowID;
            break;
        case SDL_WINDOWEVENT:
            id = event->window.windowID;
            break;
        default:
            return 1;
        }
        return id == self->windowId ? 0 : 1;
    }

    void drawBar(int32_t y, int32_t barH, int32_t value) {
        SDL_Rect bar{barX, y, barWidth, barH};
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderFillRect(renderer, &bar);
        SDL_Rect filled{barX + 2, y + 2, (barWidth - 4) * value / 100, barH - 4};
        SDL_SetRenderDrawColor(renderer, 0, 0, 128, 255);
        SDL_RenderFillRect(renderer, &filled);
        SDL_SetRenderDrawColor(renderer, 64, 64, 64, 255);
        SDL_RenderDrawRect(renderer, &bar);
    }

    void draw() {
        SDL_SetRenderDrawColor(renderer, 212, 208, 200, 255);
        SDL_RenderClear(renderer);
        drawBar(barY, barHeight, percent);
        if (wholePercent >= 0) drawBar(wholeBarY, wholeBarHeight, wholePercent);
        SDL_Rect button{buttonX, buttonY, buttonWidth, buttonHeight};
        SDL_SetRenderDrawColor(renderer, 230, 228, 224, 255);
        SDL_RenderFillRect(renderer, &button);
        SDL_SetRenderDrawColor(renderer, 64, 64, 64, 255);
        SDL_RenderDrawRect(renderer, &button);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        const int scale = 2, labelWidth = (6 * 6 - 1) * scale, labelHeight = 7 * scale;
        drawLabel(renderer, "Cancel", buttonX + (buttonWidth - labelWidth) / 2,
                  buttonY + (buttonHeight - labelHeight) / 2, scale);
        SDL_RenderPresent(renderer);
    }

    ~Impl() {
        if (window) SDL_DelEventWatch(watch, this);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) {
            SDL_DestroyWindow(window);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
};

bool ProgressWindow::isOnCancelButton(int32_t x, int32_t y) {
    return x >= buttonX && x < buttonX + buttonWidth && y >= buttonY && y < buttonY + buttonHeight;
}

std::unique_ptr<ProgressWindow> ProgressWindow::open(bool requireDisplay) {
    // The same rule as the message boxes: a window only where a display exists.
    if (requireDisplay && !Sys_MessageBoxesEnabled()) return nullptr;
    // Closing this window must ask before anything ends, so it never makes SDL's quit event.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Rendering video: no progress window (%s)\n", SDL_GetError());
        return nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (requireDisplay &&
        (!driver || SDL_strcmp(driver, "dummy") == 0 || SDL_strcmp(driver, "offscreen") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    std::unique_ptr<ProgressWindow> result(new ProgressWindow());
    result->impl = std::make_unique<Impl>();
    Impl& impl = *result->impl;
    impl.window = SDL_CreateWindow("Rendering video...", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width, height, SDL_WINDOW_SHOWN);
    if (!impl.window) {
        std::fprintf(stderr, "Rendering video: no progress window (%s)\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    impl.windowId = SDL_GetWindowID(impl.window);
    impl.renderer = SDL_CreateRenderer(impl.window, -1, SDL_RENDERER_SOFTWARE);
    if (!impl.renderer) return nullptr; // the Impl destructor closes the window
    SDL_AddEventWatch(Impl::watch, &impl);
    impl.draw();
    return result;
}

ProgressWindow::~ProgressWindow() = default;

uint32_t ProgressWindow::getWindowId() const {
    return impl->windowId;
}

void ProgressWindow::setPercent(int32_t percent) {
    impl->percent = std::clamp(percent, 0, 100);
}

void ProgressWindow::setWholePercent(int32_t percent) {
    if (percent != impl->wholePercent) {
        char title[64];
        std::snprintf(title, sizeof title, "Rendering video... %d%%", int(std::clamp(percent, 0, 100)));
        SDL_SetWindowTitle(impl->window, title);
    }
    impl->wholePercent = std::clamp(percent, 0, 100);
}

bool ProgressWindow::pump() {
    SDL_PumpEvents();
    SDL_FilterEvents(Impl::isForeign, impl.get());
    impl->draw();
    return impl->cancelAsked.exchange(false);
}
