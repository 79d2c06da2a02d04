// The menu's pictures, photographs and fade maps as datagen composed them into data.data: the menu's
// layout on the 1024x768 screen, photographs that fit piece three's frame, and one-channel fade
// maps that cover their photograph and span 0..255.
#include "images/FadeMaps.h"
#include "images/Photographs.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {
struct Decoded {
    int width = 0, height = 0;
    bool grey = false; // the JPEG itself has one channel
    std::vector<uint8_t> pixels;
};

// The picture's bytes in the build folder's data.data, which the show reads.
std::vector<uint8_t> stored(const std::string& name) {
    static FileArchive archive;
    static const bool opened = archive.readDirectory("data.data") == FileArchive::Ok;
    std::unique_ptr<uint8_t[]> bytes(opened ? archive.getFile(name.c_str()) : nullptr);
    if (!bytes) throw std::runtime_error(name + " is not in data.data in the build folder");
    return {bytes.get(), bytes.get() + archive.getFileSize(name.c_str())};
}

// Decodes a stored picture to RGB, or to one channel.
Decoded decode(const std::string& name, int channels = 3) {
    const std::vector<uint8_t> jpeg = stored(name);
    Decoded d;
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colourspace = 0;
    EXPECT_EQ(tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &d.width, &d.height, &subsampling, &colourspace), 0);
    d.grey = colourspace == TJCS_GRAY;
    d.pixels.resize(size_t(d.width) * size_t(d.height) * size_t(channels));
    EXPECT_EQ(tjDecompress2(handle, jpeg.data(), jpeg.size(), d.pixels.data(), d.width, 0, d.height,
                            channels == 1 ? TJPF_GRAY : TJPF_RGB, TJFLAG_ACCURATEDCT), 0);
    tjDestroy(handle);
    return d;
}

struct Rect {
    int x, y, w, h;
    bool overlaps(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
};
} // namespace

TEST(MenuPictures, FitTheMenuScreenWithoutOverlappingAndHaveALightFrame) {
    Decoded background = decode("data/yo8.jpg");
    EXPECT_EQ(background.width, 1024);
    EXPECT_LE(background.height, 753); // drawn at y = 15
    struct Control {
        const char* name;
        int x, y;
        bool centred;
    };
    const Control controls[] = {{"data/entry1.jpg", 512, 192, true}, {"data/entry2.jpg", 512, 384, true},
                                {"data/entry3.jpg", 512, 576, true}, {"data/start.jpg", 960, 624, false},
                                {"data/exit.jpg", 960, 704, false}};
    std::vector<Rect> placed;
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        Decoded d = decode(c.name);
        // Halves truncated toward zero, as the menu places its toggles.
        Rect r = c.centred ? Rect{c.x - d.width / 2, c.y - d.height / 2, d.width, d.height}
                           : Rect{c.x, c.y, d.width, d.height};
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= 1024 && r.y + r.h <= 768);
        EXPECT_EQ(r.w % 2, 0);
        for (const Rect& other : placed) EXPECT_FALSE(r.overlaps(other));
        placed.push_back(r);
        // The menu scales the outermost rows and columns by the glow; a dark frame would never light up.
        long sum = 0, count = 0;
        for (int y = 0; y < d.height; ++y)
            for (int x = 0; x < d.width; ++x)
                if (x == 0 || y == 0 || x == d.width - 1 || y == d.height - 1) {
                    const uint8_t* p = &d.pixels[(size_t(y) * size_t(d.width) + size_t(x)) * 3];
                    sum += (p[0] + p[1] + p[2]) / 3, ++count;
                }
        EXPECT_GT(sum / count, 100);
    }
}

TEST(Photographs, AreColourPicturesThatFitPieceThreesFrameWithFullRangeFadeMaps) {
    // Every place piece three centres each photograph; only "data/5.jpg" is meant to run off the edge.
    const std::multimap<std::string, std::pair<int, int>> centres = {
        {"data/1.jpg", {150, 170}}, {"data/16.jpg", {230, 120}}, {"data/3.jpg", {100, 270}}, {"data/15.jpg", {280, 300}},
        {"data/19.jpg", {370, 80}}, {"data/1.jpg", {300, 170}},  {"data/7.jpg", {100, 100}}, {"data/6.jpg", {220, 330}},
        {"data/9.jpg", {370, 190}}, {"data/4.jpg", {550, 330}},  {"data/20.jpg", {380, 330}}};
    for (const PhotographPlan& plan : Photographs::plans()) {
        SCOPED_TRACE(plan.photograph);
        Decoded d = decode(plan.photograph);
        EXPECT_FALSE(d.grey);
        auto range = centres.equal_range(plan.photograph);
        for (auto it = range.first; it != range.second; ++it) {
            int left = it->second.first - d.width / 2, top = it->second.second - d.height / 2;
            EXPECT_TRUE(left >= 0 && top >= 0 && left + d.width <= 640 && top + d.height <= 480);
        }
        // Piece three reads the one-channel map with the photograph's width: the sizes must be equal.
        Decoded map = decode(plan.fadeMap, 1);
        EXPECT_TRUE(map.grey) << plan.fadeMap;
        EXPECT_EQ(std::pair(map.width, map.height), std::pair(d.width, d.height)) << plan.fadeMap;
        auto [darkest, lightest] = std::minmax_element(map.pixels.begin(), map.pixels.end());
        EXPECT_LE(*darkest, 3) << plan.fadeMap;
        EXPECT_GE(*lightest, 252) << plan.fadeMap;
    }

    // A flat map stretches to zero instead of dividing by zero.
    GreyPicture out;
    std::vector<float> flat(16, 0.7f);
    FadeMaps::stretchToFullRange(flat, out);
    EXPECT_EQ(out.values, std::vector<uint8_t>(16, 0));
}
