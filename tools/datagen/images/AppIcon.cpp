// The icon follows the menu's altarpiece layout: a tall centre panel between two lower wings,
// each with its column of light, under the warm glow the menu has above its title.
#include "images/AppIcon.h"

#include "images/MenuImages.h"

#include <cmath>

Picture AppIcon::draw(int size) {
    const float s = float(size);
    const Colour gold = rgb255(226, 196, 136);
    Picture p(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) p.at(x, y) = MenuImages::ground(float(x) / s, float(y) / s);
    // Columns of light inside the panels, fading towards their ends.
    const float columns[] = {0.165f, 0.5f, 0.835f};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float fx = float(x) / s, fy = float(y) / s;
            float light = 0.0f;
            for (float column : columns) light += std::exp(-std::fabs(fx - column) / 0.025f);
            float fade = smoothstep(0.32f, 0.46f, fy) * smoothstep(0.84f, 0.68f, fy);
            p.at(x, y) = p.at(x, y) + rgb255(180, 150, 110) * (light * fade * 0.35f);
        }
    const float line = s / 96.0f;
    MenuImages::drawArchedFrame(p, s * 0.30f, s * 0.70f, s * 0.10f, s * 0.90f, gold, 0.95f, line);
    MenuImages::drawArchedFrame(p, s * 0.07f, s * 0.26f, s * 0.26f, s * 0.80f, gold, 0.8f, line);
    MenuImages::drawArchedFrame(p, s * 0.74f, s * 0.93f, s * 0.26f, s * 0.80f, gold, 0.8f, line);
    return p;
}
