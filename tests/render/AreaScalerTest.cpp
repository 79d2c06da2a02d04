// The sharp enlargement of the delivered film: every target pixel averages exactly the source
// area it covers, so edges stay one target pixel wide at most and no source pixel is drawn wider
// than another.
#include "media/film/AreaScaler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Sizes {
    int32_t source, target;
};
// The film's luma (640x480 to 1440x1080) and chroma (to 720x540) and a plain copy.
const Sizes sizes[] = {{640, 1440}, {480, 1080}, {640, 720}, {480, 540}, {5, 5}, {3, 7}};

TEST(AreaScaler, EverySourcePixelGetsItsExactShareOfTheTarget) {
    for (Sizes size : sizes) {
        SCOPED_TRACE(std::to_string(size.source) + " to " + std::to_string(size.target));
        std::vector<AreaScaler::Tap> taps = AreaScaler::taps(size.source, size.target);
        ASSERT_EQ(taps.size(), size_t(size.target));
        std::vector<int64_t> share(size_t(size.source), 0);
        for (const AreaScaler::Tap& tap : taps) {
            ASSERT_GE(tap.first, 0);
            ASSERT_LT(tap.first, size.source);
            share[size_t(tap.first)] += tap.weight;
            if (tap.weight < 256) share[size_t(tap.first) + 1] += 256 - tap.weight;
        }
        // target / source target pixels' worth each, give or take the rounding of two weights.
        for (int32_t x = 0; x < size.source; ++x)
            EXPECT_NEAR(double(share[size_t(x)]), 256.0 * size.target / size.source, 2.0)
                << "source pixel " << x;
    }
}

TEST(AreaScaler, EdgesStaySharpAndFlatAreasExact) {
    // Alternate source columns and rows of 0 and 255: each target pixel is either a pure level or
    // the single blend where two source pixels meet.
    const int32_t width = 640, height = 480, targetWidth = 1440, targetHeight = 1080;
    std::vector<uint8_t> source(size_t(width) * height), target(size_t(targetWidth) * targetHeight);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            source[size_t(y) * width + x] = ((x + y) & 1) ? 255 : 0;
    AreaScaler scaler(width, height, targetWidth, targetHeight);
    scaler.scale(source.data(), width, target.data(), targetWidth);

    std::vector<AreaScaler::Tap> columns = AreaScaler::taps(width, targetWidth);
    std::vector<AreaScaler::Tap> rows = AreaScaler::taps(height, targetHeight);
    for (int32_t y = 0; y < targetHeight; y += 7)
        for (int32_t x = 0; x < targetWidth; ++x) {
            const int value = target[size_t(y) * targetWidth + x];
            if (columns[size_t(x)].weight == 256 && rows[size_t(y)].weight == 256) {
                const int expected = ((columns[size_t(x)].first + rows[size_t(y)].first) & 1) ? 255 : 0;
                ASSERT_EQ(value, expected) << x << "," << y;
            }
        }

    // A flat plane stays exactly flat. (That no source column is drawn wider than another
    // follows from the exact shares above.)
    std::fill(source.begin(), source.end(), uint8_t(77));
    scaler.scale(source.data(), width, target.data(), targetWidth);
    for (uint8_t value : target)
        ASSERT_EQ(value, 77);
}

} // namespace
