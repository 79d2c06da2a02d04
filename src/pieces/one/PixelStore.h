// Piece one's view of a frame buffer: width x height 32-bit pixels (0x00RRGGBB), rows directly
// after each other. Every effect of the piece reads and writes through it and stays inside it.
#pragma once

#include <cstdint>

class FrameBuffer;

struct PixelStore {
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;

    // The frame buffer's pixels; an empty store for a frame buffer that is not 32 bits deep,
    // so that nothing is drawn into a store whose size does not match.
    static PixelStore of(FrameBuffer* frameBuffer);

    int64_t size() const { return int64_t(width) * height; }
    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint32_t& at(int32_t x, int32_t y) { return pixels[int64_t(y) * width + x]; }
    uint32_t* row(int32_t y) { return pixels + int64_t(y) * width; }
    void clear();
};

// The pixel with d subtracted from its red, green and blue bytes, each held to 0..255;
// the fourth byte is kept.
inline uint32_t darkenPixel(uint32_t pixel, int32_t d) {
    uint32_t result = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int32_t channel = int32_t((pixel >> shift) & 0xFFu) - d;
        channel = channel < 0 ? 0 : (channel > 255 ? 255 : channel);
        result |= uint32_t(channel) << shift;
    }
    return result;
}
