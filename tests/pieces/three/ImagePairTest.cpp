// The dissolve on small hand-made pictures: the blend weight, gain 0, the start rule, clipping
// at each edge with nothing written outside the screen, and a fade map larger than its photograph.
#include "media/clips/ProductTable.h"
#include "pieces/three/ImagePair.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr EnvelopeKey fullyRevealed[] = {{1.0f, 0}, {-1.0f, 0}};
constexpr EnvelopeKey sharpGain[] = {{10.0f, 0}, {-1.0f, 0}};
constexpr EnvelopeKey noGain[] = {{0.0f, 0}, {-1.0f, 0}};
constexpr int32_t neverStarts[] = {-1};

// A width x height picture: pixel (x, y) = 0x00 (10 + y) (20 + x) 7, fade value fade(x, y).
template <typename Fade>
std::shared_ptr<const PairPictures> picturesOf(int32_t width, int32_t height, Fade fade) {
    auto pictures = std::make_shared<PairPictures>();
    pictures->width = width;
    pictures->height = height;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            pictures->image.push_back(uint32_t(10 + y) << 16 | uint32_t(20 + x) << 8 | 7u);
            pictures->fade.push_back(uint8_t(fade(x, y)));
        }
    return pictures;
}

// An 8 x 6 screen inside a guard zone that the pairs must not touch.
struct GuardedScreen {
    static constexpr int32_t width = 8, height = 6, guard = 64;
    static constexpr uint32_t guardValue = 0xDEADBEEFu, background = 0xAB000000u;
    std::vector<uint32_t> block = std::vector<uint32_t>(width * height + 2 * guard, guardValue);
    GuardedScreen() { std::fill(pixels(), pixels() + width * height, background); }
    uint32_t* pixels() { return block.data() + guard; }
    uint32_t at(int32_t x, int32_t y) { return pixels()[y * width + x]; }
    bool guardsIntact() const {
        for (int32_t i = 0; i < guard; ++i)
            if (block[size_t(i)] != guardValue || block[block.size() - 1 - size_t(i)] != guardValue)
                return false;
        return true;
    }
};

} // namespace

TEST(ImagePair, ClippedPixelByPixelAtEveryEdgeAndNothingWrittenOutside) {
    // A 4 x 4 picture whose top-left pixel lands at (left, top) = (cx - 2, cy - 2).
    struct Case {
        int32_t centreX, centreY;
    } cases[] = {{0, 3}, {1, 2}, {8, 3}, {7, 4}, {4, 0}, {4, 6}, {0, 0}, {8, 6}, {-2, 3}, {10, 3}, {4, 9}};
    auto pictures = picturesOf(4, 4, [](int32_t, int32_t) { return 0; });
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "centre " << c.centreX << "," << c.centreY);
        GuardedScreen screen;
        ImagePair pair(pictures, c.centreX, c.centreY, fullyRevealed, sharpGain, screen.width, screen.height);
        PairStarts starts{neverStarts};
        pair.draw(screen.pixels(), screen.width, 0, starts);
        EXPECT_TRUE(screen.guardsIntact());
        for (int32_t y = 0; y < screen.height; ++y)
            for (int32_t x = 0; x < screen.width; ++x) {
                int32_t px = x - (c.centreX - 2), py = y - (c.centreY - 2);
                bool inside = px >= 0 && px < 4 && py >= 0 && py < 4;
                // Weight 255 copies the picture's colour bytes; byte 3 stays the screen's.
                uint32_t expected =
                    inside ? 0xAB000000u | pictures->image[size_t(py * 4 + px)] : screen.background;
                ASSERT_EQ(screen.at(x, y), expected) << x << "," << y;
            }
    }
}

TEST(ImagePair, WeightZeroLeavesThePixelAndOthersBlendThroughTheProductTable) {
    // Half revealed (level 127.5) at gain 2: fade 100 gives (27.5 x 2) = 55; fade 127 gives
    // 0.5 x 2 = 1; fade 128 and above give nothing.
    constexpr EnvelopeKey halfRevealed[] = {{0.5f, 0}, {-1.0f, 0}};
    constexpr EnvelopeKey gainTwo[] = {{2.0f, 0}, {-1.0f, 0}};
    const int32_t fades[4] = {100, 127, 128, 255};
    auto pictures = picturesOf(4, 1, [&](int32_t x, int32_t) { return fades[x]; });
    std::vector<uint32_t> screen(4, 0x00305090u);
    ImagePair pair(pictures, 2, 0, halfRevealed, gainTwo, 4, 1);
    PairStarts starts{neverStarts};
    pair.draw(screen.data(), 4, 0, starts);
    const uint8_t* table = productTable();
    auto blend = [&](uint32_t picture, uint32_t behind, uint32_t w) {
        uint32_t out = 0;
        for (int shift : {0, 8, 16})
            out |= uint32_t(table[w * 256 + (picture >> shift & 0xFF)] +
                            table[(255 - w) * 256 + (behind >> shift & 0xFF)])
                   << shift;
        return out;
    };
    EXPECT_EQ(screen[0], blend(pictures->image[0], 0x00305090u, 55));
    EXPECT_EQ(screen[1], blend(pictures->image[1], 0x00305090u, 1));
    EXPECT_EQ(screen[2], 0x00305090u);
    EXPECT_EQ(screen[3], 0x00305090u);
}

TEST(ImagePair, GainZeroDrawsNothingBeforeTheStartOrAfterTheLastGainKey) {
    auto pictures = picturesOf(2, 2, [](int32_t, int32_t) { return 0; });
    constexpr EnvelopeKey gainThenNone[] = {{0.0f, 0}, {3.0f, 100}, {0.0f, 200}, {-1.0f, 0}};
    const int32_t startAt[] = {1000, -1};
    ImagePair pair(pictures, 1, 1, fullyRevealed, gainThenNone, GuardedScreen::width, GuardedScreen::height);
    PairStarts starts{startAt};
    // Not started yet (its tracks stay at local time 0), started at 1001, at its peak, at and
    // after the gain's last key.
    struct Case {
        int32_t now;
        bool drawn;
    } cases[] = {{1000, false}, {1001, false}, {1101, true}, {1201, false}, {5000, false}};
    for (const Case& c : cases) {
        GuardedScreen screen;
        pair.draw(screen.pixels(), screen.width, c.now, starts);
        EXPECT_EQ(screen.at(0, 0) != screen.background, c.drawn) << c.now;
    }
    GuardedScreen screen;
    ImagePair silent(pictures, 1, 1, fullyRevealed, noGain, screen.width, screen.height);
    PairStarts silentStarts{startAt};
    silent.draw(screen.pixels(), screen.width, 1500, silentStarts);
    EXPECT_TRUE(silent.isStarted());
    EXPECT_EQ(screen.at(0, 0), screen.background);
}

TEST(ImagePair, EachPairStartsOnTheFirstFrameStrictlyAfterItsTime) {
    auto pictures = picturesOf(1, 1, [](int32_t, int32_t) { return 0; });
    const int32_t times[] = {100, 200, 300, -1};
    std::vector<ImagePair> pairs;
    for (int32_t k = 0; k < 3; ++k)
        pairs.emplace_back(pictures, 0, 0, fullyRevealed, sharpGain, 1, 1);
    PairStarts starts{times};
    uint32_t pixel = 0;
    auto frame = [&](int32_t now) {
        for (ImagePair& pair : pairs)
            pair.draw(&pixel, 1, now, starts);
    };
    frame(100);
    EXPECT_FALSE(pairs[0].isStarted());
    frame(101);
    EXPECT_TRUE(pairs[0].isStarted());
    EXPECT_FALSE(pairs[1].isStarted());
    frame(200);
    EXPECT_FALSE(pairs[1].isStarted());
    frame(450); // one late frame passes both remaining times: both start in list order
    EXPECT_TRUE(pairs[1].isStarted());
    EXPECT_TRUE(pairs[2].isStarted());
    EXPECT_EQ(starts.index, 3);
}

TEST(ImagePair, AFadeMapLargerThanItsPhotographLendsItsTopLeftPart) {
    // (One smaller than its photograph is refused, naming both entries and sizes: the
    // damaged-photographs script shows it end to end.)
    std::vector<uint8_t> photograph(6 * 4 * 3, 200), fadeMap(8 * 5 * 3, 0);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 8; ++x)
            fadeMap[size_t(y * 8 + x) * 3] = uint8_t(10 * y + x);
    auto pictures = convertPairPictures("p", photograph.data(), 6, 4, "f", fadeMap.data(), 8, 5);
    EXPECT_EQ(pictures->fade[size_t(3 * 6 + 5)], 35); // read with its own row length
    EXPECT_EQ(pictures->image[0], 0x00C8C8C8u);
}
