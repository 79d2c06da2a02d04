// The menu is laid out as an altarpiece: two narrow wings and a centre panel framed in thin gold
// lines on a night-blue ground, the title above the centre, the three piece cards inside it.
#include "images/MenuImages.h"

#include "clips/ClipScenes.h"
#include "common/Noise.h"
#include "images/FadeMaps.h"
#include "images/JpegEncoder.h"
#include "images/Scenes.h"
#include "text/TextRenderer.h"

#include <cmath>

namespace {
const Colour gold = rgb255(226, 196, 136);
const Colour ink = rgb255(236, 232, 222);

// Coverage (0..1) of a pixel at signed distance d from an edge, for anti-aliased shapes.
float coverage(float d) { return clamp01(0.5f - d); }

// The outermost rows and columns carry the glow when the control is hovered, so they are drawn
// in a light colour; a dark line inside sets the card off from it.
void drawControlBorder(Picture& p, Colour colour) {
    int w = p.width(), h = p.height();
    for (int x = 0; x < w; ++x) p.at(x, 0) = p.at(x, h - 1) = colour;
    for (int y = 0; y < h; ++y) p.at(0, y) = p.at(w - 1, y) = colour;
    for (int x = 1; x < w - 1; ++x) p.at(x, 1) = p.at(x, h - 2) = rgb255(8, 8, 12);
    for (int y = 1; y < h - 1; ++y) p.at(1, y) = p.at(w - 2, y) = rgb255(8, 8, 12);
}

Picture cardGround(int w, int h, uint32_t seed) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float n = Noise::fbm(float(x) * 0.02f, float(y) * 0.02f, 3, seed);
            p.at(x, y) = mix(rgb255(30, 30, 48), rgb255(14, 14, 24), float(y) / float(h)) * (0.85f + 0.3f * n);
        }
    return p;
}

Picture greyscale(const Picture& source) {
    Picture p(source.width(), source.height());
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const Colour& c = source.at(x, y);
            float g = (c.r + c.g + c.b) / 3.0f;
            p.at(x, y) = {g, g, g};
        }
    return p;
}

// Little pictures of what each piece shows.
Picture thumbnail(int piece, int w, int h) {
    if (piece == 1) {
        // The turning solids in their box on black.
        Picture p(w, h);
        Picture solids = LitSolids::render(h * 4 / 3 - 8, h - 8, 0.7f, 3.3f);
        p.paste(solids, (w - solids.width()) / 2, 4);
        return p;
    }
    if (piece == 2) {
        // Two grey, smeared strips, the way the montage cuts the clips.
        Picture p(w, h);
        Picture strip = greyscale(Tunnel::render(w, h / 2 - 6, 2.0f));
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 2; x < w; ++x) strip.at(x, y) = mix(strip.at(x, y), strip.at(x - 2, y), 0.6f);
        p.paste(strip, 0, 4);
        Picture second = greyscale(Tunnel::render(w, h / 2 - 6, 6.5f));
        p.paste(second, 0, h / 2 + 2);
        return p;
    }
    // A photograph half dissolved in, over grey scanlines.
    Picture p(w, h);
    Picture photo = Scenes::mountainsAtDusk(w, h);
    GreyPicture map = FadeMaps::make(FadeMaps::Style::RadialNoise, w, h, 7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float reveal = clamp01((150.0f - float(map.values[size_t(y) * size_t(w) + size_t(x)])) / 40.0f);
            p.at(x, y) = photo.at(x, y) * reveal;
        }
    for (int y : {14, 15, 40, 92, 93, 118})
        for (int x = 0; x < w; ++x) {
            float g = 0.25f + 0.2f * Noise::value(float(x) * 0.1f, float(y), 9);
            p.at(x, y) = p.at(x, y) + Colour{g, g, g};
        }
    return p;
}
} // namespace

void MenuImages::drawArchedFrame(Picture& p, float x0, float x1, float archTop, float y1, Colour colour, float alpha,
                                 float halfWidth) {
    float cx = (x0 + x1) * 0.5f, rx = (x1 - x0) * 0.5f, ry = rx * 0.55f;
    float shoulder = archTop + ry;
    for (int y = int(archTop - halfWidth) - 2; y <= int(y1 + halfWidth) + 2; ++y)
        for (int x = int(x0 - halfWidth) - 2; x <= int(x1 + halfWidth) + 2; ++x) {
            float fx = float(x) + 0.5f, fy = float(y) + 0.5f;
            float d;
            if (fy < shoulder) {
                float ex = (fx - cx) / rx, ey = (fy - shoulder) / ry;
                d = std::fabs(std::sqrt(ex * ex + ey * ey) - 1.0f) * std::min(rx, ry);
            } else {
                d = std::min(std::fabs(fx - x0), std::fabs(fx - x1));
                if (fy > y1) d = std::hypot(d, fy - y1);
                if (fx > x0 && fx < x1) d = std::min(d, std::fabs(fy - y1));
            }
            p.blend(x, y, colour, coverage(d - halfWidth) * alpha);
        }
}

Colour MenuImages::ground(float u, float v) {
    Colour c = mix(rgb255(22, 24, 48), rgb255(6, 6, 14), v);
    float haze = Noise::fbm(u * 4.0f, v * 3.0f, 5, 2001);
    c = c + rgb255(60, 40, 90) * (smoothstep(0.45f, 0.8f, haze) * 0.35f);
    float glow = std::exp(-std::hypot(u - 0.5f, (v - 0.1f) * 1.4f) * 2.5f);
    return c + rgb255(90, 70, 60) * (glow * 0.5f);
}

Picture MenuImages::background() {
    const int w = backgroundWidth, h = backgroundHeight;
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.at(x, y) = ground(float(x) / float(w), float(y) / float(h));
    // The three panels of the triptych; the right wing stays clear of the buttons.
    drawArchedFrame(p, 264.0f, 760.0f, 92.0f, 668.0f, gold, 0.55f);
    drawArchedFrame(p, 88.0f, 240.0f, 150.0f, 600.0f, gold, 0.4f);
    drawArchedFrame(p, 784.0f, 936.0f, 150.0f, 600.0f, gold, 0.4f);
    // A faint column of light in each wing.
    for (int y = 200; y < 600; ++y)
        for (int x = 88; x < 936; ++x) {
            float left = std::exp(-std::fabs(float(x) - 164.0f) / 10.0f), right = std::exp(-std::fabs(float(x) - 860.0f) / 10.0f);
            float fade = smoothstep(200.0f, 320.0f, float(y)) * smoothstep(600.0f, 480.0f, float(y));
            p.at(x, y) = p.at(x, y) + rgb255(180, 150, 110) * ((left + right) * fade * 0.25f);
        }
    TextRenderer title(Fonts::sansLight, 64);
    title.drawCentred(p, w / 2, 76, "Triptych", ink, 1.0f, 10);
    TextRenderer small(Fonts::sans, 15);
    small.draw(p, 88, 700, "a show in three pieces", gold, 0.9f, 1);
    small.draw(p, 88, 722, "click a piece to leave it out, then start", rgb255(150, 150, 170), 0.9f);
    return p;
}

Picture MenuImages::pieceToggle(int piece) {
    static const char* const names[] = {"piece one", "piece two", "piece three"};
    static const char* const lines[] = {"turning solids in a box", "two clips, cut to the beat", "scanlines and photographs"};
    static const char* const lengths[] = {"2 min 15 s", "2 min 30 s", "1 min 46 s"};
    Picture p = cardGround(toggleWidth, toggleHeight, 2100u + uint32_t(piece));
    const int thumbX = 10, thumbY = 10, thumbW = 204, thumbH = 130;
    Picture picture = thumbnail(piece, thumbW, thumbH);
    p.paste(picture, thumbX, thumbY);
    TextRenderer heading(Fonts::sansBold, 28), body(Fonts::sans, 15), label(Fonts::sansBold, 12);
    const int textX = 236;
    label.draw(p, textX, 34, std::string(piece == 1 ? "I" : piece == 2 ? "II" : "III"), gold, 1.0f, 2);
    heading.draw(p, textX, 72, names[piece - 1], ink);
    body.draw(p, textX, 100, lines[piece - 1], rgb255(185, 185, 200));
    label.draw(p, textX, 130, lengths[piece - 1], gold, 0.9f, 1);
    drawControlBorder(p, gold);
    return p;
}

namespace {
Picture buttonGround(int w, int h, Colour accent) {
    Picture p = cardGround(w, h, 2200);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.at(x, y) = p.at(x, y) + accent * (0.12f * (1.0f - float(y) / float(h)));
    drawControlBorder(p, mix(accent, ink, 0.5f));
    return p;
}
} // namespace

Picture MenuImages::startButton() {
    const Colour green = rgb255(120, 230, 150);
    Picture p = buttonGround(startWidth, startHeight, green);
    // A play triangle pointing right, centred on (32, 30).
    for (int y = 12; y < 50; ++y)
        for (int x = 16; x < 50; ++x) {
            float fx = float(x) + 0.5f, fy = float(y) + 0.5f;
            float left = 23.0f - fx;
            float upper = ((fy - 30.0f) * 0.6f - (44.0f - fx) * 0.8f * 0.5f);
            float d = std::max(left, std::max(upper, (-(fy - 30.0f) * 0.6f - (44.0f - fx) * 0.8f * 0.5f)));
            p.blend(x, y, green, coverage(d));
        }
    TextRenderer text(Fonts::sansBold, 13);
    text.drawCentred(p, startWidth / 2, 62, "start", ink);
    return p;
}

Picture MenuImages::exitButton() {
    const Colour red = rgb255(240, 120, 100);
    Picture p = buttonGround(exitWidth, exitHeight, red);
    // A power sign: a ring open at the top with a bar through the gap, centred on (32, 22).
    for (int y = 6; y < 40; ++y)
        for (int x = 14; x < 50; ++x) {
            float fx = float(x) + 0.5f - 32.0f, fy = float(y) + 0.5f - 22.0f;
            float ring = std::fabs(std::hypot(fx, fy) - 11.0f) - 1.6f;
            if (fy < 0 && std::fabs(fx) < 6.0f) ring = 99.0f;
            float bar = std::max(std::fabs(fx) - 1.6f, std::max(fy - 1.0f, -13.0f - fy));
            p.blend(x, y, red, coverage(std::min(ring, bar)));
        }
    TextRenderer text(Fonts::sansBold, 13);
    text.drawCentred(p, exitWidth / 2, 50, "exit", ink);
    return p;
}

std::vector<DataEntry> MenuImages::composeAll() {
    std::vector<DataEntry> entries;
    entries.push_back({"data/yo8.jpg", JpegEncoder::encodeColour(background(), 92, "data/yo8.jpg")});
    for (int piece = 1; piece <= 3; ++piece) {
        std::string name = "data/entry" + std::to_string(piece) + ".jpg";
        entries.push_back({name, JpegEncoder::encodeColour(pieceToggle(piece), 95, name)});
    }
    entries.push_back({"data/start.jpg", JpegEncoder::encodeColour(startButton(), 95, "data/start.jpg")});
    entries.push_back({"data/exit.jpg", JpegEncoder::encodeColour(exitButton(), 95, "data/exit.jpg")});
    return entries;
}
