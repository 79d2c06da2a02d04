// Bulk routines that move a frame's pixels to the screen: a block copy and four converters from
// 32-bit 0x00RRGGBB pixels to 24-bit and 16-bit output formats, in a fast and a plain version.
#pragma once

#include <cstddef>
#include <cstdint>

// Every routine takes (destination, source, count). Source pixels are read as 4 little-endian
// bytes each (blue, green, red, ignored); 16-bit results are little-endian words; each channel
// keeps its top bits (5 bits: value / 8, 6 bits: value / 4). No routine needs aligned memory
// or allocates.

// The routines the display uses: SSE2 blocks with a scalar tail on x86-64.
namespace FastMemory {
void copyBytes(void* destination, const void* source, size_t byteCount);
void to24(uint8_t* destination, const uint8_t* source, size_t pixelCount);  // blue, green, red
void to565(uint8_t* destination, const uint8_t* source, size_t pixelCount); // red high
void to565BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount);
void to555(uint8_t* destination, const uint8_t* source, size_t pixelCount); // red bits 10-14
void to555BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount);
// Whether the block paths use SSE2 (false: the plain routines stand in).
bool usesSse2();
} // namespace FastMemory

// The plain reference versions, one element at a time, with bit for bit the same results.
namespace PlainMemory {
void copyBytes(void* destination, const void* source, size_t byteCount);
void to24(uint8_t* destination, const uint8_t* source, size_t pixelCount);
void to565(uint8_t* destination, const uint8_t* source, size_t pixelCount);
void to565BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount);
void to555(uint8_t* destination, const uint8_t* source, size_t pixelCount);
void to555BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount);
// One pixel of each 16-bit format (the tails of the fast routines use these too).
uint16_t pixel565(uint32_t pixel);
uint16_t pixel565BlueHigh(uint32_t pixel);
uint16_t pixel555(uint32_t pixel);
uint16_t pixel555BlueHigh(uint32_t pixel);
} // namespace PlainMemory
