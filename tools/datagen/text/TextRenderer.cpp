// FreeType text drawing: each glyph is rendered to an 8-bit coverage map and blended in.
#include "text/TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

struct TextRenderer::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

TextRenderer::TextRenderer(const std::string& fontPath, int pixelSize) : face(std::make_unique<Face>()) {
    if (FT_Init_FreeType(&face->library) != 0)
        throw std::runtime_error("couldn't start FreeType for " + fontPath);
    if (FT_New_Face(face->library, fontPath.c_str(), 0, &face->face) != 0) {
        FT_Done_FreeType(face->library);
        throw std::runtime_error("couldn't open font " + fontPath + " (install fonts-dejavu-core)");
    }
    if (FT_Set_Pixel_Sizes(face->face, 0, FT_UInt(pixelSize)) != 0) {
        FT_Done_Face(face->face);
        FT_Done_FreeType(face->library);
        throw std::runtime_error("couldn't size font " + fontPath);
    }
}

TextRenderer::~TextRenderer() {
    FT_Done_Face(face->face);
    FT_Done_FreeType(face->library);
}

int TextRenderer::measure(const std::string& text, int tracking) {
    int width = 0;
    for (unsigned char ch : text) {
        if (FT_Load_Char(face->face, ch, FT_LOAD_DEFAULT) != 0) continue;
        width += int(face->face->glyph->advance.x >> 6) + tracking;
    }
    return text.empty() ? 0 : width - tracking;
}

int TextRenderer::capHeight() {
    if (FT_Load_Char(face->face, 'H', FT_LOAD_RENDER) != 0) return 0;
    return face->face->glyph->bitmap_top;
}

void TextRenderer::draw(Picture& picture, int x, int y, const std::string& text, Colour colour,
                        float alpha, int tracking) {
    int penX = x;
    for (unsigned char ch : text) {
        if (FT_Load_Char(face->face, ch, FT_LOAD_RENDER) != 0) continue;
        FT_GlyphSlot glyph = face->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned col = 0; col < bitmap.width; ++col) {
                float coverage = bitmap.buffer[row * unsigned(bitmap.pitch) + col] / 255.0f;
                picture.blend(penX + glyph->bitmap_left + int(col), y - glyph->bitmap_top + int(row),
                              colour, coverage * alpha);
            }
        penX += int(glyph->advance.x >> 6) + tracking;
    }
}

void TextRenderer::drawCentred(Picture& picture, int x, int y, const std::string& text, Colour colour,
                               float alpha, int tracking) {
    draw(picture, x - measure(text, tracking) / 2, y, text, colour, alpha, tracking);
}
