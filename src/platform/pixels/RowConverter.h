// Row converters: turn one row of 32-bit 0x00RRGGBB frame-buffer pixels into the pixel format
// of the output, chosen once from the output's bit count and channel masks.
#pragma once

#include <cstdint>

using RowConverter = void (*)(const uint8_t* source, uint8_t* destination, int32_t pixelCount);

namespace RowConverters {
void copy32(const uint8_t* source, uint8_t* destination, int32_t pixelCount);     // 0xff0000 red
void swapped32(const uint8_t* source, uint8_t* destination, int32_t pixelCount);  // 0xff red, top byte 0
void to24(const uint8_t* source, uint8_t* destination, int32_t pixelCount);       // bytes b, g, r
void reversed24(const uint8_t* source, uint8_t* destination, int32_t pixelCount); // bytes r, g, b
void to565(const uint8_t* source, uint8_t* destination, int32_t pixelCount);
void to565BlueHigh(const uint8_t* source, uint8_t* destination, int32_t pixelCount);
void to555(const uint8_t* source, uint8_t* destination, int32_t pixelCount);
void to555BlueHigh(const uint8_t* source, uint8_t* destination, int32_t pixelCount);
} // namespace RowConverters

// The converter for an output of `bits` per pixel with the given channel masks, or null when
// the format is not one of the eight the show can serve.
RowConverter selectRowConverter(int32_t bits, uint32_t redMask, uint32_t greenMask, uint32_t blueMask);
