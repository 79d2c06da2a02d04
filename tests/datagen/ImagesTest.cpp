// The composed pictures: the menu's layout on the 1024x768 screen, photographs that fit piece
// three's frame, one-channel fade maps that cover their photograph and span 0..255, and
// byte-identical output from run to run.
#include "DefaultData.h"
#include "common/Noise.h"
#include "common/Picture.h"
#include "images/FadeMaps.h"
#include "images/JpegEncoder.h"
#include "images/Photographs.h"
#include "text/TextRenderer.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace {
struct Decoded {
    int width = 0, height = 0, channels = 0;
    bool grey = false; // the JPEG itself has one channel
    std::vector<uint8_t> pixels;
};

Decoded decode(const std::vector<uint8_t>& jpeg, int channels) {
    Decoded d;
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colourspace = 0;
    EXPECT_EQ(tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &d.width, &d.height, &subsampling, &colourspace), 0);
    d.grey = colourspace == TJCS_GRAY;
    d.channels = channels;
    d.pixels.resize(size_t(d.width) * size_t(d.height) * size_t(channels));
    EXPECT_EQ(tjDecompress2(handle, jpeg.data(), jpeg.size(), d.pixels.data(), d.width, 0, d.height,
                            channels == 1 ? TJPF_GRAY : TJPF_RGB, TJFLAG_ACCURATEDCT), 0);
    tjDestroy(handle);
    return d;
}

const std::map<std::string, std::vector<uint8_t>>& pictures() {
    static const std::map<std::string, std::vector<uint8_t>> composed = [] {
        std::map<std::string, std::vector<uint8_t>> m;
        for (DataEntry& e : DefaultData::composePictures()) m[e.name] = std::move(e.bytes);
        return m;
    }();
    return composed;
}

struct Rect {
    int x, y, w, h;
    bool overlaps(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    bool onScreen() const { return x >= 0 && y >= 0 && x + w <= 1024 && y + h <= 768; }
};

Rect placed(const std::string& name, int x, int y, bool centred) {
    Decoded d = decode(pictures().at(name), 3);
    // Halves truncated toward zero, as the menu places its toggles.
    return centred ? Rect{x - d.width / 2, y - d.height / 2, d.width, d.height} : Rect{x, y, d.width, d.height};
}
} // namespace

TEST(MenuPictures, FitTheMenuScreenWithoutOverlapping) {
    Decoded background = decode(pictures().at("data/yo8.jpg"), 3);
    EXPECT_EQ(background.width, 1024);
    EXPECT_LE(background.height, 753); // drawn at y = 15
    std::vector<Rect> controls = {placed("data/entry1.jpg", 512, 192, true), placed("data/entry2.jpg", 512, 384, true),
                                  placed("data/entry3.jpg", 512, 576, true), placed("data/start.jpg", 960, 624, false),
                                  placed("data/exit.jpg", 960, 704, false)};
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(controls[i].onScreen()) << "control " << i;
        EXPECT_EQ(controls[i].w % 2, 0) << "control " << i;
        for (size_t j = i + 1; j < controls.size(); ++j) EXPECT_FALSE(controls[i].overlaps(controls[j])) << i << " and " << j;
    }
    EXPECT_LE(controls[3].w, 64);
    EXPECT_LE(controls[3].h, 80);
    EXPECT_LE(controls[4].w, 64);
    EXPECT_LE(controls[4].h, 64);
}

TEST(MenuPictures, ControlsHaveALightOuterFrameForTheGlow) {
    // The menu scales the outermost rows and columns by the glow; a dark frame would never light up.
    for (const char* name : {"data/entry1.jpg", "data/entry2.jpg", "data/entry3.jpg", "data/start.jpg", "data/exit.jpg"}) {
        Decoded d = decode(pictures().at(name), 3);
        long sum = 0, count = 0;
        auto add = [&](int x, int y) {
            const uint8_t* p = &d.pixels[(size_t(y) * size_t(d.width) + size_t(x)) * 3];
            sum += (p[0] + p[1] + p[2]) / 3;
            ++count;
        };
        for (int x = 0; x < d.width; ++x) add(x, 0), add(x, d.height - 1);
        for (int y = 0; y < d.height; ++y) add(0, y), add(d.width - 1, y);
        EXPECT_GT(sum / count, 100) << name;
    }
}

TEST(Photographs, AreDistinctColourScenesThatFitPieceThreesFrame) {
    // Every place piece three centres each photograph; only "data/5.jpg" is meant to run off the edge.
    const std::multimap<std::string, std::pair<int, int>> centres = {
        {"data/1.jpg", {150, 170}}, {"data/16.jpg", {230, 120}}, {"data/3.jpg", {100, 270}}, {"data/15.jpg", {280, 300}},
        {"data/19.jpg", {370, 80}}, {"data/1.jpg", {300, 170}},  {"data/7.jpg", {100, 100}}, {"data/6.jpg", {220, 330}},
        {"data/9.jpg", {370, 190}}, {"data/4.jpg", {550, 330}},  {"data/20.jpg", {380, 330}}};
    std::vector<std::vector<uint8_t>> seen;
    for (const PhotographPlan& plan : Photographs::plans()) {
        Decoded d = decode(pictures().at(plan.photograph), 3);
        EXPECT_FALSE(d.grey) << plan.photograph;
        EXPECT_GE(std::min(d.width, d.height), 120) << plan.photograph;
        EXPECT_LE(std::max(d.width, d.height), 320) << plan.photograph;
        auto range = centres.equal_range(plan.photograph);
        for (auto it = range.first; it != range.second; ++it) {
            int left = it->second.first - d.width / 2, top = it->second.second - d.height / 2;
            EXPECT_TRUE(left >= 0 && top >= 0 && left + d.width <= 640 && top + d.height <= 480) << plan.photograph;
        }
        // A scene, not a flat or grey fill: a spread of brightness and some colour.
        int lo = 255, hi = 0;
        long chroma = 0;
        for (size_t i = 0; i < d.pixels.size(); i += 3) {
            int r = d.pixels[i], g = d.pixels[i + 1], b = d.pixels[i + 2];
            lo = std::min(lo, (r + g + b) / 3), hi = std::max(hi, (r + g + b) / 3);
            chroma += std::max({r, g, b}) - std::min({r, g, b});
        }
        EXPECT_GT(hi - lo, 120) << plan.photograph;
        EXPECT_GT(chroma / long(d.pixels.size() / 3), 12) << plan.photograph;
        for (const auto& other : seen) EXPECT_NE(other, d.pixels) << plan.photograph;
        seen.push_back(d.pixels);
    }
}

TEST(FadeMaps, AreOneChannelCoverTheirPhotographAndSpanTheWholeRange) {
    for (const PhotographPlan& plan : Photographs::plans()) {
        Decoded photo = decode(pictures().at(plan.photograph), 3);
        Decoded map = decode(pictures().at(plan.fadeMap), 1);
        EXPECT_TRUE(map.grey) << plan.fadeMap;
        // Piece three reads the map with the photograph's width, so the sizes must be equal.
        EXPECT_EQ(map.width, photo.width) << plan.fadeMap;
        EXPECT_EQ(map.height, photo.height) << plan.fadeMap;
        auto [lo, hi] = std::minmax_element(map.pixels.begin(), map.pixels.end());
        EXPECT_LE(*lo, 3) << plan.fadeMap;
        EXPECT_GE(*hi, 252) << plan.fadeMap;
    }
    EXPECT_EQ(std::string(Photographs::plans()[7].photograph), "data/15.jpg");
    EXPECT_EQ(std::string(Photographs::plans()[7].fadeMap), "data/fade14.jpg");
}

TEST(FadeMaps, StretchingAFlatMapGivesZeroInsteadOfDividingByZero) {
    std::vector<float> flat(16, 0.7f);
    GreyPicture out;
    FadeMaps::stretchToFullRange(flat, out);
    ASSERT_EQ(out.values.size(), 16u);
    EXPECT_TRUE(std::all_of(out.values.begin(), out.values.end(), [](uint8_t v) { return v == 0; }));
}

TEST(PictureComposition, IsByteIdenticalFromRunToRun) {
    std::vector<DataEntry> again = DefaultData::composePictures();
    ASSERT_EQ(again.size(), pictures().size());
    for (const DataEntry& e : again) EXPECT_EQ(e.bytes, pictures().at(e.name)) << e.name;
}

TEST(PictureComposition, FailuresNameWhatFailed) {
    GreyPicture wrong{4, 4, std::vector<uint8_t>(3)};
    try {
        JpegEncoder::encodeGrey(wrong, 90, "data/fadeX.jpg");
        FAIL() << "a short buffer was encoded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("data/fadeX.jpg"), std::string::npos);
    }
    try {
        TextRenderer missing("/nonexistent/font.ttf", 12);
        FAIL() << "a missing font was opened";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/font.ttf"), std::string::npos);
    }
}

TEST(PictureTools, TiledNoiseRepeatsSeamlesslyAndPastingClipsAtEveryEdge) {
    // The flight's landscape wraps round its map; a seam would show as a cliff in the clip.
    for (float y : {0.0f, 2.5f, 7.25f})
        for (float x : {0.0f, 0.3f, 5.9f}) EXPECT_NEAR(Noise::valueTiled(x, y, 6, 9), Noise::valueTiled(x + 6.0f, y - 12.0f, 6, 9), 1e-5f);
    Picture target(8, 6, {0.1f, 0.1f, 0.1f});
    Picture patch(4, 4, {1.0f, 0.0f, 0.0f});
    for (auto [x, y] : {std::pair{-3, -3}, std::pair{6, 4}, std::pair{-10, 0}, std::pair{7, -2}}) target.paste(patch, x, y);
    target.blend(-1, 2, {0, 1, 0}, 1.0f);
    target.blend(8, 6, {0, 1, 0}, 1.0f);
    EXPECT_FLOAT_EQ(target.at(0, 0).r, 1.0f); // covered from (-3, -3)
    EXPECT_FLOAT_EQ(target.at(7, 5).r, 1.0f); // covered from (6, 4)
    EXPECT_FLOAT_EQ(target.at(3, 3).r, 0.1f); // untouched
    int red = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) red += target.at(x, y).r == 1.0f;
    EXPECT_EQ(red, 1 + 4 + 2); // (0,0); (6..7, 4..5); (7, 0..1)
}

TEST(PictureTools, CentredTextIsCentredOnItsPoint) {
    TextRenderer text(Fonts::sansBold, 20);
    Picture picture(200, 40);
    text.drawCentred(picture, 120, 30, "piece three", {1, 1, 1});
    double inked = 0, weighted = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) inked += picture.at(x, y).r, weighted += picture.at(x, y).r * (x + 0.5);
    ASSERT_GT(inked, 100.0);
    EXPECT_NEAR(weighted / inked, 120.0, 4.0);
    EXPECT_NEAR(text.measure("piece three"), 120, 60);
}
