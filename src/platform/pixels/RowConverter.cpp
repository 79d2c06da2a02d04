// The eight row converters and their choice by output format.
#include "platform/pixels/RowConverter.h"

#include "platform/pixels/FastMemory.h"

namespace {
size_t countOf(int32_t pixelCount) {
    return pixelCount > 0 ? size_t(pixelCount) : 0;
}
} // namespace

namespace RowConverters {

void copy32(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    FastMemory::copyBytes(destination, source, countOf(pixelCount) * 4);
}

void swapped32(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    size_t count = countOf(pixelCount);
    for (size_t k = 0; k < count; ++k) {
        destination[4 * k] = source[4 * k + 2];
        destination[4 * k + 1] = source[4 * k + 1];
        destination[4 * k + 2] = source[4 * k];
        destination[4 * k + 3] = 0;
    }
}

void to24(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    FastMemory::to24(destination, source, countOf(pixelCount));
}

void reversed24(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    size_t count = countOf(pixelCount);
    for (size_t k = 0; k < count; ++k) {
        destination[3 * k] = source[4 * k + 2];
        destination[3 * k + 1] = source[4 * k + 1];
        destination[3 * k + 2] = source[4 * k];
    }
}

void to565(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    FastMemory::to565(destination, source, countOf(pixelCount));
}

void to565BlueHigh(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    FastMemory::to565BlueHigh(destination, source, countOf(pixelCount));
}

void to555(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    FastMemory::to555(destination, source, countOf(pixelCount));
}

void to555BlueHigh(const uint8_t* source, uint8_t* destination, int32_t pixelCount) {
    FastMemory::to555BlueHigh(destination, source, countOf(pixelCount));
}

} // namespace RowConverters

RowConverter selectRowConverter(int32_t bits, uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    struct Format {
        int32_t bits;
        uint32_t red, green, blue;
        RowConverter converter;
    };
    static const Format formats[] = {
        {32, 0xff0000, 0xff00, 0xff, RowConverters::copy32},
        {32, 0xff, 0xff00, 0xff0000, RowConverters::swapped32},
        {24, 0xff0000, 0xff00, 0xff, RowConverters::to24},
        {24, 0xff, 0xff00, 0xff0000, RowConverters::reversed24},
        {16, 0xf800, 0x7e0, 0x1f, RowConverters::to565},
        {16, 0x1f, 0x7e0, 0xf800, RowConverters::to565BlueHigh},
        {16, 0x7c00, 0x3e0, 0x1f, RowConverters::to555},
        {16, 0x1f, 0x3e0, 0x7c00, RowConverters::to555BlueHigh},
    };
    for (const Format& format : formats)
        if (format.bits == bits && format.red == redMask && format.green == greenMask &&
            format.blue == blueMask)
            return format.converter;
    return nullptr;
}
