// A tiny built-in bitmap font for labels and readouts drawn straight into 32-bit pixels: printable
// ASCII in 6x8 cells (5x7 glyphs with a blank column and row), enlarged by whole pixels.
#pragma once

#include <cstdint>
#include <string>

namespace BitmapFont {

inline constexpr int cellWidth = 6;
inline constexpr int cellHeight = 8;

// The width in pixels of text drawn at scale: cellWidth x scale per character (0 below scale 1).
int measure(const std::string& text, int scale);

// Draws text with its top-left corner at (x, y) into width x height pixels whose rows are stride
// pixels apart; only the glyphs' ink is written, in colour, each font pixel as a scale x scale
// block. Whatever falls outside the pixels is left out. Characters outside printable ASCII draw
// as '?'.
void draw(uint32_t* pixels, int stride, int width, int height, int x, int y, const std::string& text,
          uint32_t colour, int scale);

} // namespace BitmapFont
