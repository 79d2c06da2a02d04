// The row converters: formats without one, the byte orders of the 32- and 24-bit ones, and
// negative counts.
#include "platform/pixels/RowConverter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Which converter each of the eight display formats gets is shown on screen by SdlDeviceTest.
TEST(RowConverter, FormatsOfNoConverterGetNone) {
    EXPECT_EQ(selectRowConverter(16, 0xff0000, 0xff00, 0xff), nullptr); // masks of another depth
    EXPECT_EQ(selectRowConverter(32, 0xff00, 0xff0000, 0xff), nullptr); // green and red exchanged
    EXPECT_EQ(selectRowConverter(8, 0xe0, 0x1c, 0x03), nullptr);
    EXPECT_EQ(selectRowConverter(15, 0x7c00, 0x3e0, 0x1f), nullptr);
    EXPECT_EQ(selectRowConverter(0, 0, 0, 0), nullptr);
}

// Two pixels: 0xAA112233 and 0xBB445566.
const std::vector<uint8_t> twoPixels = {0x33, 0x22, 0x11, 0xAA, 0x66, 0x55, 0x44, 0xBB};

std::vector<uint8_t> convert(RowConverter converter, size_t outBytes) {
    std::vector<uint8_t> out(outBytes + 4, 0xEE);
    converter(twoPixels.data(), out.data(), 2);
    return out;
}

TEST(RowConverter, ThirtyTwoAndTwentyFourBitOrders) {
    EXPECT_EQ(convert(RowConverters::copy32, 8),
              (std::vector<uint8_t>{0x33, 0x22, 0x11, 0xAA, 0x66, 0x55, 0x44, 0xBB, 0xEE, 0xEE, 0xEE, 0xEE}));
    // Red and blue exchanged; the top byte becomes 0.
    EXPECT_EQ(convert(RowConverters::swapped32, 8),
              (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x00, 0x44, 0x55, 0x66, 0x00, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(convert(RowConverters::to24, 6),
              (std::vector<uint8_t>{0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(convert(RowConverters::reversed24, 6),
              (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST(RowConverter, ANegativeCountWritesNothing) {
    // A frame buffer of no size; the 16-bit words themselves are PixelRoutinesTest's.
    std::vector<uint8_t> untouched(8, 0xEE);
    RowConverters::swapped32(twoPixels.data(), untouched.data(), -5);
    RowConverters::to565(twoPixels.data(), untouched.data(), -5);
    EXPECT_EQ(untouched, std::vector<uint8_t>(8, 0xEE));
}

} // namespace
