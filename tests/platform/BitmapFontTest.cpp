// The bitmap font: glyph shapes, their cells and scale, and clipping at every edge.
#include "platform/text/BitmapFont.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {
struct Canvas {
    int width, height;
    std::vector<uint32_t> pixels;
    Canvas(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {}
    void draw(int x, int y, const std::string& text, int scale) {
        BitmapFont::draw(pixels.data(), width, width, height, x, y, text, 0xFFFFFF, scale);
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
} // namespace

TEST(BitmapFont, GlyphsAreDistinctAndKeepTheirCellsBlankColumnAndRow) {
    std::set<std::vector<uint32_t>> shapes;
    for (char c = '!'; c <= '~'; ++c) {
        Canvas canvas(BitmapFont::cellWidth, BitmapFont::cellHeight);
        canvas.draw(0, 0, std::string(1, c), 1);
        int ink = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x) {
                const bool set = canvas.at(x, y) != 0;
                ink += set;
                if (x == BitmapFont::cellWidth - 1 || y == BitmapFont::cellHeight - 1) {
                    EXPECT_FALSE(set) << "'" << c << "' reaches into the spacing at " << x << "," << y;
                }
            }
        EXPECT_GT(ink, 0) << c;
        EXPECT_TRUE(shapes.insert(canvas.pixels).second) << "'" << c << "' looks like another glyph";
    }
    // A minus sign at scale 2: its middle row as a bar two pixels high, ten wide.
    Canvas minus(12, 16);
    minus.draw(0, 0, "-", 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(minus.at(x, y) != 0, x < 10 && (y == 6 || y == 7)) << x << "," << y;
    EXPECT_EQ(BitmapFont::measure("0:40 piece one", 1), 14 * 6);
    EXPECT_EQ(BitmapFont::measure("ab", 3), 36);
    EXPECT_EQ(BitmapFont::measure("ab", 0), 0);
    // Outside printable ASCII comes out as a question mark.
    Canvas unknown(6, 8), question(6, 8);
    unknown.draw(0, 0, "\x01", 1);
    question.draw(0, 0, "?", 1);
    EXPECT_EQ(unknown.pixels, question.pixels);
}

TEST(BitmapFont, TextPartlyOutsideIsClippedToWhatLiesInside) {
    const std::string text = "W@g|";
    Canvas whole(240, 80);
    const int originX = 110, originY = 40;
    whole.draw(originX, originY, text, 3);
    for (auto [x, y] : {std::pair{-7, -5}, {-40, 3}, {5, -20}, {9, 6}, {-100, 0}, {18, 10}}) {
        Canvas small(20, 12);
        small.draw(x, y, text, 3);
        for (int py = 0; py < small.height; ++py)
            for (int px = 0; px < small.width; ++px)
                ASSERT_EQ(small.at(px, py), whole.at(originX - x + px, originY - y + py))
                    << "drawn at " << x << "," << y << ", pixel " << px << "," << py;
    }
}
