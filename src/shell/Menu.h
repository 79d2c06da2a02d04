// The start menu: background picture, three piece toggles and the start and exit buttons,
// drawn into the current (1024x768) frame buffer.
#pragma once

#include <cstdint>

class ToggleButton;
class PushButton;

// Loads "data/yo8.jpg" and keeps a 32-bit copy of it.
void loadMenuBackground();
// Copies the background to x = 0, y = 15 of the current frame buffer.
void drawMenuBackground();
// Creates the five controls over the current frame buffer.
void createMenuControls();
// Runs the menu loop until start, exit, Escape or a close request; then sets the chosen pieces
// (and the quit request, after exit).
void runMenu();

// The controls once created (null before): toggles for piece one, two, three; start; exit.
ToggleButton* getMenuToggle(int32_t piece);
PushButton* getStartButton();
PushButton* getExitButton();
