// Piece two's pixel passes: single sweeps over the picture lines in store order.
#include "pieces/two/PixelFilters.h"

#include "platform/FrameBuffer.h"

#include <algorithm>
#include <cstring>

PictureLines PictureLines::of(FrameBuffer* frameBuffer) {
    PictureLines picture;
    if (!frameBuffer || !frameBuffer->getPixels() || frameBuffer->getBitsPerPixel() != 32) return picture;
    picture.pixels = frameBuffer->getPixels();
    picture.width = frameBuffer->getWidth();
    picture.lines = frameBuffer->getHeight();
    picture.stride = int64_t(frameBuffer->getWidth()) + frameBuffer->isDoubled();
    return picture;
}

uint8_t clampByte(int32_t value) {
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

void greyscale(const PictureLines& picture) {
    for (int32_t y = 0; y < picture.lines; ++y) {
        uint8_t* p = picture.line(y);
        for (int32_t x = 0; x < picture.width; ++x, p += 4) {
            const uint8_t grey = uint8_t((uint32_t(p[0]) + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = grey;
        }
    }
}

void mapBytes(const PictureLines& picture, const std::array<uint8_t, 256>& table) {
    for (int32_t y = 0; y < picture.lines; ++y) {
        uint8_t* p = picture.line(y);
        for (int32_t x = 0; x < picture.width; ++x, p += 4) {
            p[0] = table[p[0]];
            p[1] = table[p[1]];
            p[2] = table[p[2]];
        }
    }
}

void subtractFromBytes(const PictureLines& picture, int32_t amount) {
    for (int32_t y = 0; y < picture.lines; ++y) {
        uint8_t* p = picture.line(y);
        for (int32_t x = 0; x < picture.width; ++x, p += 4) {
            p[0] = clampByte(p[0] - amount);
            p[1] = clampByte(p[1] - amount);
            p[2] = clampByte(p[2] - amount);
        }
    }
}

void keepBand(const PictureLines& picture, const BandValues& band) {
    const int32_t top = std::clamp(band.centre - 1 + band.above, 0, picture.lines);
    const int32_t bottom = std::clamp(band.centre + 1 + band.below, 0, picture.lines);
    for (int32_t y = 0; y < picture.lines; ++y)
        if (y < top || y >= bottom) std::memset(picture.line(y), 0, size_t(picture.width) * 4);
}

int32_t SmearNoise::next(int32_t amplitude) {
    const int32_t a = (state >> 3) ^ state;
    const int32_t s1 = ((a & 1) << 30) | (state >> 1);
    const int32_t amount = (a >> 1) % amplitude;
    const int32_t a2 = (s1 >> 3) ^ s1;
    state = ((a2 & 1) << 30) | (s1 >> 1);
    return (a2 >> 1) % 7 != 0 ? amount : 0;
}

void smearLine(uint8_t* line, const uint8_t* storeStart, int32_t width, int32_t radius, int32_t divisor,
               SmearNoise* noise, int32_t noiseAmplitude) {
    if (width <= 0 || divisor == 0) return;
    const bool noisy = noise && noiseAmplitude > 0;
    // The first pixels only add; from there on the pixel radius places back is taken off.
    const int32_t addOnly = std::max(0, std::min(radius, width) - 2);
    int32_t sums[3] = {0, 0, 0};
    const int64_t lineStart = (line - storeStart) / 4; // pixels from the store's start
    uint8_t* p = line;
    for (int32_t x = 0; x < width; ++x, p += 4) {
        if (noisy) {
            const int32_t amount = noise->next(noiseAmplitude);
            if (amount != 0)
                for (int c = 0; c < 3; ++c)
                    p[c] = clampByte(p[c] - amount);
        }
        for (int c = 0; c < 3; ++c)
            sums[c] += p[c];
        if (x >= addOnly) {
            const int64_t back = lineStart + x - radius;
            if (back >= 0)
                for (int c = 0; c < 3; ++c)
                    sums[c] -= storeStart[back * 4 + c];
        }
        for (int c = 0; c < 3; ++c)
            p[c] = clampByte(sums[c] / divisor);
    }
}
