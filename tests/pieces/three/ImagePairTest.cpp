// The dissolve on small hand-made pictures: the blend weight, gain 0, the start rule, clipping
// at each edge with nothing written outside the screen, and a fade map larger than its photograph.
#include "pieces/one/PieceOneTestSupport.h"
#include "pieces/three/ImagePair.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr EnvelopeKey fullyRevealed[] = {{1.0f, 0}, {-1.0f, 0}};
constexpr EnvelopeKey sharpGain[] = {{10.0f, 0}, {-1.0f, 0}};
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

auto noFade = [](int32_t, int32_t) { return 0; };

// An 8 x 6 screen of background pixels inside a guard zone that the pairs must not touch.
constexpr int32_t screenWidth = 8, screenHeight = 6;
constexpr uint32_t background = 0xAB000000u;
struct GuardedScreen : PieceOneTest::GuardedStore {
    GuardedScreen() : GuardedStore(screenWidth, screenHeight) { fill(background); }
};

} // namespace

TEST(ImagePair, ClippedPixelByPixelAtEveryEdgeAndNothingWrittenOutside) {
    // A 4 x 4 picture whose top-left pixel lands at (left, top) = (cx - 2, cy - 2).
    const std::pair<int32_t, int32_t> centres[] = {{0, 3}, {1, 2}, {8, 3},  {7, 4},  {4, 0}, {4, 6},
                                                   {0, 0}, {8, 6}, {-2, 3}, {10, 3}, {4, 9}};
    auto pictures = picturesOf(4, 4, noFade);
    for (auto [cx, cy] : centres) {
        SCOPED_TRACE(testing::Message() << "centre " << cx << "," << cy);
        GuardedScreen screen;
        ImagePair pair(pictures, cx, cy, fullyRevealed, sharpGain, screenWidth, screenHeight);
        PairStarts starts{neverStarts};
        pair.draw(screen.store.pixels, screenWidth, 0, starts);
        EXPECT_TRUE(screen.guardsIntact());
        for (int32_t y = 0; y < screenHeight; ++y)
            for (int32_t x = 0; x < screenWidth; ++x) {
                int32_t px = x - (cx - 2), py = y - (cy - 2);
                bool inside = px >= 0 && px < 4 && py >= 0 && py < 4;
                // Weight 255 copies the picture's colour bytes; byte 3 stays the screen's.
                uint32_t expected =
                    inside ? 0xAB000000u | pictures->image[size_t(py * 4 + px)] : background;
                ASSERT_EQ(screen.at(x, y), expected) << x << "," << y;
            }
    }
}

TEST(ImagePair, WeightZeroLeavesThePixelAndOthersBlendAsProducts) {
    // Half revealed (level 127.5) at gain 2: fade 100 gives weight (27.5 x 2) = 55, fade 127
    // gives 0.5 x 2 = 1, fade 128 and above nothing. Each byte is w x picture / 255 plus
    // (255 - w) x screen / 255, both rounded down: (10, 20, 7) over (0x30, 0x50, 0x90).
    constexpr EnvelopeKey halfRevealed[] = {{0.5f, 0}, {-1.0f, 0}};
    constexpr EnvelopeKey gainTwo[] = {{2.0f, 0}, {-1.0f, 0}};
    const int32_t fades[4] = {100, 127, 128, 255};
    auto pictures = picturesOf(4, 1, [&](int32_t x, int32_t) { return fades[x]; });
    std::vector<uint32_t> screen(4, 0x00305090u);
    ImagePair pair(pictures, 2, 0, halfRevealed, gainTwo, 4, 1);
    PairStarts starts{neverStarts};
    pair.draw(screen.data(), 4, 0, starts);
    EXPECT_EQ(screen, (std::vector<uint32_t>{0x00274271u, 0x002F4F8Fu, 0x00305090u, 0x00305090u}));
}

TEST(ImagePair, StartsStrictlyAfterItsTimeInListOrderAndDrawsOnlyWhileTheGainIsAboveZero) {
    auto pictures = picturesOf(2, 2, noFade);
    constexpr EnvelopeKey gainThenNone[] = {{0.0f, 0}, {3.0f, 100}, {0.0f, 200}, {-1.0f, 0}};
    const int32_t startAt[] = {1000, -1};
    ImagePair pair(pictures, 1, 1, fullyRevealed, gainThenNone, screenWidth, screenHeight);
    PairStarts starts{startAt};
    // Not started yet, started at 1001 with gain 0, at its peak, at and after the gain's last key.
    struct Case {
        int32_t now;
        bool started, drawn;
    } cases[] = {{1000, false, false}, {1001, true, false}, {1101, true, true},
                 {1201, true, false},  {5000, true, false}};
    for (const Case& c : cases) {
        GuardedScreen screen;
        pair.draw(screen.store.pixels, screenWidth, c.now, starts);
        EXPECT_EQ(pair.isStarted(), c.started) << c.now;
        EXPECT_EQ(screen.at(0, 0) != background, c.drawn) << c.now;
    }

    // Pairs sharing one list: the first starts after 100, none at exactly 200, and one late
    // frame passes both remaining times, so both start, in list order.
    const int32_t times[] = {100, 200, 300, -1};
    const ImagePair onePixel(picturesOf(1, 1, noFade), 0, 0, fullyRevealed, sharpGain, 1, 1);
    std::vector<ImagePair> pairs(3, onePixel);
    PairStarts shared{times};
    uint32_t pixel = 0;
    for (int32_t now : {101, 200, 450})
        for (ImagePair& each : pairs) {
            each.draw(&pixel, 1, now, shared);
            EXPECT_EQ(each.isStarted(), &each == &pairs[0] || now == 450) << now;
        }
}

TEST(ImagePair, AFadeMapLargerThanItsPhotographLendsItsTopLeftPart) {
    // (A smaller one is refused: the damaged-photographs script shows that end to end.)
    std::vector<uint8_t> photograph(6 * 4 * 3, 200), fadeMap(8 * 5 * 3, 0);
    for (size_t i = 0; i < 8 * 5; ++i) fadeMap[i * 3] = uint8_t(i / 8 * 10 + i % 8); // 10 y + x
    auto pictures = convertPairPictures("p", photograph.data(), 6, 4, "f", fadeMap.data(), 8, 5);
    EXPECT_EQ(pictures->fade[size_t(3 * 6 + 5)], 35); // read with its own row length
    EXPECT_EQ(pictures->image[0], 0x00C8C8C8u);
}
