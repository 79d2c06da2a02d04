// Draws anti-aliased text into pictures with FreeType, for the menu's title and labels.
#pragma once

#include "common/Picture.h"

#include <memory>
#include <string>

namespace Fonts {
inline constexpr const char* sans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* sansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* sansLight = "/usr/share/fonts/truetype/dejavu/DejaVuSans-ExtraLight.ttf";
inline constexpr const char* serif = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
} // namespace Fonts

class TextRenderer {
public:
    // Throws std::runtime_error naming the font file when it cannot be opened or sized.
    TextRenderer(const std::string& fontPath, int pixelSize);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Advance width of the text in pixels, with `tracking` extra pixels after each letter.
    int measure(const std::string& text, int tracking = 0);
    // Height of capital letters above the baseline, in pixels.
    int capHeight();
    // Draws the text with its baseline at y, starting at x; alpha scales its coverage.
    void draw(Picture& picture, int x, int y, const std::string& text, Colour colour,
              float alpha = 1.0f, int tracking = 0);
    // Draws the text centred on x.
    void drawCentred(Picture& picture, int x, int y, const std::string& text, Colour colour,
                     float alpha = 1.0f, int tracking = 0);

private:
    struct Face;
    std::unique_ptr<Face> face;
};
