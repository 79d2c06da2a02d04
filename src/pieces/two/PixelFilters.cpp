// Piece two's pixel passes: single sweeps over the picture lines in store order.
#include "pieces/two/PixelFilters.h"

#include "pieces/common/ShiftRegisterJump.h"
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

namespace {
// Sixteen bytes (four pixels) at a time, in the compiler's vector registers.
typedef uint8_t Bytes16 __attribute__((vector_size(16)));
} // namespace

void clearBytesBelow(const PictureLines& picture, int32_t cut) {
    const uint8_t colourCut = uint8_t(std::clamp(cut, 0, 255));
    const bool anyKept = cut <= 255;
    // Byte 3 of each pixel has cut 0, so it always passes; past 255 only byte 3 passes.
    Bytes16 cuts, passing;
    for (int i = 0; i < 16; ++i) {
        cuts[i] = i % 4 == 3 ? 0 : colourCut;
        passing[i] = i % 4 == 3 || anyKept ? 255 : 0;
    }
    const size_t lineBytes = size_t(picture.width) * 4;
    for (int32_t y = 0; y < picture.lines; ++y) {
        uint8_t* p = picture.line(y);
        size_t i = 0;
        for (; i + 16 <= lineBytes; i += 16) {
            Bytes16 bytes;
            std::memcpy(&bytes, p + i, 16);
            bytes &= Bytes16(bytes >= cuts) & passing;
            std::memcpy(p + i, &bytes, 16);
        }
        for (; i < lineBytes; ++i)
            if (i % 4 != 3 && (!anyKept || p[i] < colourCut)) p[i] = 0;
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

ExactDivider::ExactDivider(uint32_t divisor) : divisor(divisor) {
    // With 2^(bits - 1) < divisor <= 2^bits and n below 2^31, n x divisor stays below 2^shift,
    // which keeps the rounding of magic from ever reaching the next whole quotient.
    uint32_t bits = 0;
    while (bits < 31 && (uint32_t(1) << bits) < divisor)
        ++bits;
    shift = 31 + bits;
    magic = (uint64_t(1) << shift) / divisor + 1;
    fraction = UINT64_MAX / divisor + 1;
}

void SmearNoise::skip(uint64_t draws) {
    if (draws) state = int32_t(ShiftRegisterJump::of(2 * draws).apply(uint32_t(state)));
}

int32_t SmearNoise::next(int32_t amplitude) {
    return next(ExactDivider(uint32_t(amplitude)));
}

namespace {
// The smear's average of a running sum.
inline uint8_t average(int32_t sum, const ExactDivider& divisor) {
    if (sum <= 0) return 0; // a sum below zero averages to 0 or less: black
    const uint32_t value = divisor.quotient(uint32_t(sum));
    return uint8_t(value > 255 ? 255 : value);
}

// Where the pixel radius places back, which the smear takes off again, is read from: nowhere
// (the first pixels), the store (before the line start, or at any radius), or, for radius 1
// and 2, the outputs just written, kept at hand instead of read back.
enum class Back { none, store, recent };

// The pixels of one line from p to end: noise first, then the running sums and the averaged
// colour bytes. R is the radius when Back::recent, whose outputs start in the R pixels before p.
template <bool Noisy, Back From, int R = 0>
inline void smearRun(uint8_t* p, const uint8_t* end, int64_t radius, int32_t* sums,
                     const ExactDivider& divisorIn, SmearNoise& noiseIn, const ExactDivider& amplitudeIn) {
    // Copies of its own: the pixel writes could otherwise reach them, forcing them through memory.
    const ExactDivider divisor = divisorIn, amplitude = amplitudeIn;
    SmearNoise noise = noiseIn;
    int32_t s0 = sums[0], s1 = sums[1], s2 = sums[2];
    uint8_t last[2][3] = {}; // last[k]: the output k + 1 pixels back
    if constexpr (From == Back::recent)
        for (int k = 0; k < R; ++k)
            for (int c = 0; c < 3; ++c)
                last[k][c] = p[-4 * (k + 1) + c];
    for (; p < end; p += 4) {
        if constexpr (Noisy) {
            // Without a branch: most pixels lose their draw, one in seven keeps its bytes.
            // The amount is never negative, so only 0 can be reached.
            const int32_t amount = noise.next(amplitude);
            p[0] = uint8_t(p[0] > amount ? p[0] - amount : 0);
            p[1] = uint8_t(p[1] > amount ? p[1] - amount : 0);
            p[2] = uint8_t(p[2] > amount ? p[2] - amount : 0);
        }
        s0 += p[0];
        s1 += p[1];
        s2 += p[2];
        if constexpr (From == Back::store) {
            const uint8_t* back = p - radius * 4;
            s0 -= back[0];
            s1 -= back[1];
            s2 -= back[2];
        } else if constexpr (From == Back::recent) {
            s0 -= last[R - 1][0];
            s1 -= last[R - 1][1];
            s2 -= last[R - 1][2];
        }
        p[0] = average(s0, divisor);
        p[1] = average(s1, divisor);
        p[2] = average(s2, divisor);
        if constexpr (From == Back::recent) {
            if constexpr (R == 2)
                for (int c = 0; c < 3; ++c)
                    last[1][c] = last[0][c];
            for (int c = 0; c < 3; ++c)
                last[0][c] = p[c];
        }
    }
    sums[0] = s0, sums[1] = s1, sums[2] = s2;
    noiseIn = noise;
}

template <bool Noisy>
void smearPixels(uint8_t* line, int64_t lineStart, int32_t width, int32_t radius, const ExactDivider& divisor,
                 SmearNoise& noise, const ExactDivider& amplitude) {
    // The first pixels only add; from there on the pixel radius places back is taken off, once
    // it lies inside the store; from pixel radius on it is one of this line's outputs.
    const int32_t addOnly = std::max(0, std::min(radius, width) - 2);
    const int32_t subtractFrom = int32_t(std::clamp<int64_t>(radius - lineStart, addOnly, width));
    const int32_t ownFrom = std::clamp(radius, subtractFrom, width);
    uint8_t* const ownStart = line + int64_t(ownFrom) * 4;
    uint8_t* const end = line + int64_t(width) * 4;
    int32_t sums[3] = {0, 0, 0};
    smearRun<Noisy, Back::none>(line, line + int64_t(subtractFrom) * 4, radius, sums, divisor, noise,
                                amplitude);
    if (radius == 1 || radius == 2) {
        smearRun<Noisy, Back::store>(line + int64_t(subtractFrom) * 4, ownStart, radius, sums, divisor, noise,
                                     amplitude);
        if (radius == 1)
            smearRun<Noisy, Back::recent, 1>(ownStart, end, radius, sums, divisor, noise, amplitude);
        else
            smearRun<Noisy, Back::recent, 2>(ownStart, end, radius, sums, divisor, noise, amplitude);
    } else {
        smearRun<Noisy, Back::store>(line + int64_t(subtractFrom) * 4, end, radius, sums, divisor, noise,
                                     amplitude);
    }
}

} // namespace

void smearLine(uint8_t* line, const uint8_t* storeStart, int32_t width, int32_t radius, int32_t divisor,
               SmearNoise* noise, int32_t noiseAmplitude) {
    if (width <= 0 || divisor < 1 || radius < 0) return;
    const int64_t lineStart = (line - storeStart) / 4; // pixels from the store's start
    const ExactDivider byDivisor{uint32_t(divisor)};
    if (noise && noiseAmplitude > 0) {
        smearPixels<true>(line, lineStart, width, radius, byDivisor, *noise,
                          ExactDivider(uint32_t(noiseAmplitude)));
    } else {
        SmearNoise unused;
        smearPixels<false>(line, lineStart, width, radius, byDivisor, unused, byDivisor);
    }
}
