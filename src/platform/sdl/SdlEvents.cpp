// Event handling of the SDL display.
#include "platform/sdl/SdlEvents.h"

#include "platform/DisplayDevice.h"

#include <SDL.h>

namespace {

void toggleFullScreen(SDL_Window* window) {
    bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Whether a keyboard event belongs to another window of the process (the render progress
// window): that window handles its own keys, Escape included.
bool isForOtherWindow(SDL_Window* showWindow, Uint32 windowId) {
    // Only a window that still exists (the render's progress window) can own an event; a key
    // whose focus window was the menu's, closed a moment ago, still belongs to the show.
    return windowId != 0 && showWindow && windowId != SDL_GetWindowID(showWindow) &&
           SDL_GetWindowFromID(windowId) != nullptr;
}

void handleKey(SDL_Window* showWindow, const SDL_KeyboardEvent& key) {
    if (isForOtherWindow(showWindow, key.windowID)) return;
    if (key.keysym.sym == SDLK_ESCAPE)
        DisplayInput::reportQuit();
    else if ((key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) && (key.keysym.mod & KMOD_ALT) &&
             !key.repeat && showWindow)
        toggleFullScreen(showWindow);
    else if (key.keysym.sym == SDLK_SPACE && !key.repeat)
        DisplayInput::reportKey(DisplayInput::ShowKey::pause);
    else if (key.keysym.sym == SDLK_LEFT)
        DisplayInput::reportKey(DisplayInput::ShowKey::back);
    else if (key.keysym.sym == SDLK_RIGHT)
        DisplayInput::reportKey(DisplayInput::ShowKey::forward);
    // other keys are swallowed
}

void handleEvent(SDL_Window* showWindow, const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        DisplayInput::reportQuit();
        break;
    case SDL_KEYDOWN:
        handleKey(showWindow, event.key);
        break;
    case SDL_WINDOWEVENT:
        // A window shown takes the keyboard itself: without a window manager nothing else
        // would give it the focus, and the keys would go nowhere.
        if (event.window.event == SDL_WINDOWEVENT_SHOWN && showWindow &&
            event.window.windowID == SDL_GetWindowID(showWindow))
            SDL_SetWindowInputFocus(showWindow);
        break;
    case SDL_MOUSEMOTION:
        DisplayInput::reportMouseMove(event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) DisplayInput::reportClick(event.button.x, event.button.y);
        break;
    default:
        break;
    }
}

} // namespace

void pumpDisplayEvents(SDL_Window* showWindow) {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        handleEvent(showWindow, event);
}
