// The start menu: background picture, three piece toggles and the start and exit buttons.
#pragma once

void loadMenuBackground();
void drawMenuBackground();
// Creates the five controls over the current frame buffer.
void createMenuControls();
// Runs the menu loop until start, exit, Escape or a close request; sets the chosen pieces.
void runMenu();
