// The start menu's pictures: the background with the show's title, the three piece toggles and
// the start and exit buttons, sized and placed for the 1024x768 menu screen.
#pragma once

#include "common/DataEntry.h"
#include "common/Picture.h"

#include <string>
#include <vector>

namespace MenuImages {
// Sizes on the menu screen. The background is drawn at y = 15; toggles are centred on
// (512, 192), (512, 384) and (512, 576); the buttons' top-left corners are (960, 624) and
// (960, 704).
inline constexpr int backgroundWidth = 1024, backgroundHeight = 738;
inline constexpr int toggleWidth = 464, toggleHeight = 150;
inline constexpr int startWidth = 64, startHeight = 72;
inline constexpr int exitWidth = 64, exitHeight = 56;

Picture background();
// The background's night-blue ground with its haze and the warm glow above the title, at (u, v)
// in 0..1 across and down.
Colour ground(float u, float v);
// A frame with an arched top, its line reaching about halfWidth pixels either side of the
// outline: the rectangle x0..x1, archTop..y1, whose top is a half ellipse over its width.
void drawArchedFrame(Picture& p, float x0, float x1, float archTop, float y1, Colour colour, float alpha,
                     float halfWidth = 0.6f);
// piece is 1, 2 or 3.
Picture pieceToggle(int piece);
Picture startButton();
Picture exitButton();

// "data/yo8.jpg", "data/entry1.jpg" .. "data/entry3.jpg", "data/start.jpg", "data/exit.jpg".
std::vector<DataEntry> composeAll();
} // namespace MenuImages
