// The plain pixel routines: the reference the fast block versions are tested against, and the
// tails the fast versions finish a row with.
#include "platform/pixels/FastMemory.h"

#include <cstring>

namespace {
uint32_t loadPixel(const uint8_t* source) {
    return uint32_t(source[0]) | uint32_t(source[1]) << 8 | uint32_t(source[2]) << 16;
}

void storeWord(uint8_t* destination, uint16_t word) {
    destination[0] = uint8_t(word);
    destination[1] = uint8_t(word >> 8);
}

template <uint16_t (*convert)(uint32_t)>
void convertRow(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    for (size_t k = 0; k < pixelCount; ++k)
        storeWord(destination + 2 * k, convert(loadPixel(source + 4 * k)));
}
} // namespace

namespace PlainMemory {

uint16_t pixel565(uint32_t pixel) {
    return uint16_t(((pixel >> 8) & 0xF800) | ((pixel >> 5) & 0x07E0) | ((pixel >> 3) & 0x001F));
}

uint16_t pixel565BlueHigh(uint32_t pixel) {
    return uint16_t(((pixel << 8) & 0xF800) | ((pixel >> 5) & 0x07E0) | ((pixel >> 19) & 0x001F));
}

uint16_t pixel555(uint32_t pixel) {
    return uint16_t(((pixel >> 9) & 0x7C00) | ((pixel >> 6) & 0x03E0) | ((pixel >> 3) & 0x001F));
}

uint16_t pixel555BlueHigh(uint32_t pixel) {
    return uint16_t(((pixel << 7) & 0x7C00) | ((pixel >> 6) & 0x03E0) | ((pixel >> 19) & 0x001F));
}

void copyBytes(void* destination, const void* source, size_t byteCount) {
    auto* out = static_cast<uint8_t*>(destination);
    const auto* in = static_cast<const uint8_t*>(source);
    for (size_t k = 0; k < byteCount; ++k)
        out[k] = in[k];
}

void to24(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    for (size_t k = 0; k < pixelCount; ++k) {
        destination[3 * k] = source[4 * k];
        destination[3 * k + 1] = source[4 * k + 1];
        destination[3 * k + 2] = source[4 * k + 2];
    }
}

void to565(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convertRow<pixel565>(destination, source, pixelCount);
}

void to565BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convertRow<pixel565BlueHigh>(destination, source, pixelCount);
}

void to555(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convertRow<pixel555>(destination, source, pixelCount);
}

void to555BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convertRow<pixel555BlueHigh>(destination, source, pixelCount);
}

} // namespace PlainMemory
