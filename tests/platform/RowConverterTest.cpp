// Choice of the row converter by output format, and what each converter writes.
#include "platform/pixels/RowConverter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RowConverter, EachOfTheEightFormatsHasItsConverterAndNothingElseDoes) {
    EXPECT_EQ(selectRowConverter(32, 0xff0000, 0xff00, 0xff), RowConverters::copy32);
    EXPECT_EQ(selectRowConverter(32, 0xff, 0xff00, 0xff0000), RowConverters::swapped32);
    EXPECT_EQ(selectRowConverter(24, 0xff0000, 0xff00, 0xff), RowConverters::to24);
    EXPECT_EQ(selectRowConverter(24, 0xff, 0xff00, 0xff0000), RowConverters::reversed24);
    EXPECT_EQ(selectRowConverter(16, 0xf800, 0x7e0, 0x1f), RowConverters::to565);
    EXPECT_EQ(selectRowConverter(16, 0x1f, 0x7e0, 0xf800), RowConverters::to565BlueHigh);
    EXPECT_EQ(selectRowConverter(16, 0x7c00, 0x3e0, 0x1f), RowConverters::to555);
    EXPECT_EQ(selectRowConverter(16, 0x1f, 0x3e0, 0x7c00), RowConverters::to555BlueHigh);

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

TEST(RowConverter, SixteenBitConvertersWriteLittleEndianWords) {
    // 0x112233 in 5-6-5: red 0x11 / 8 = 2, green 0x22 / 4 = 8, blue 0x33 / 8 = 6.
    auto out = convert(RowConverters::to565, 4);
    EXPECT_EQ(out[0] | out[1] << 8, (2 << 11) | (8 << 5) | 6);
    out = convert(RowConverters::to555BlueHigh, 4);
    EXPECT_EQ(out[0] | out[1] << 8, (6 << 10) | (4 << 5) | 2);
    EXPECT_EQ(out[4], 0xEE);
    // A negative count (a frame buffer of no size) writes nothing.
    std::vector<uint8_t> untouched(8, 0xEE);
    RowConverters::swapped32(twoPixels.data(), untouched.data(), -5);
    EXPECT_EQ(untouched, std::vector<uint8_t>(8, 0xEE));
}

} // namespace
