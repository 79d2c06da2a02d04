// The SDL display's event handling: window close and Escape become the quit request, Alt+Enter
// switches between full screen and a window, the mouse moves and clicks go to DisplayInput.
#pragma once

struct SDL_Window;

// Handles every queued event. showWindow is the show's display window (null when none is open):
// keys that belong to another live window of the process (the render's progress window) are
// left to that window.
void pumpDisplayEvents(SDL_Window* showWindow);
