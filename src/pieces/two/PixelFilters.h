// The full-frame pixel passes of piece two's filters, on the picture lines of a frame buffer:
// greyscale, a threshold, subtraction toward black, the thin band, and the running-sum smear
// of one line with its noise generator. Each pass changes colour bytes 0..2 only, except the
// band, which blacks out whole pixels.
#pragma once

#include <array>
#include <cstdint>

class FrameBuffer;

// The picture lines of a store: `lines` lines of `width` 4-byte pixels, `stride` pixels apart
// (twice the width on a doubled store), the first at `pixels`.
struct PictureLines {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t lines = 0;
    int64_t stride = 0;

    // Every line of frameBuffer's picture (all of them, whatever its top); empty for a store
    // that is missing or not of 4-byte pixels.
    static PictureLines of(FrameBuffer* frameBuffer);
    uint8_t* line(int32_t y) const { return pixels + int64_t(y) * stride * 4; }
};

// The line range the band filter keeps: lines centre - 1 + above up to centre + below.
struct BandValues {
    int32_t centre = 20;
    int32_t above = 0;
    int32_t below = 0;
};

uint8_t clampByte(int32_t value);
// Each colour byte becomes the average of the three (integer division).
void greyscale(const PictureLines& picture);
// Each colour byte below cut becomes 0; the others and byte 3 stay (cut 256 blacks out the
// colour bytes, cut 0 or 1 changes nothing).
void clearBytesBelow(const PictureLines& picture, int32_t cut);
// Each colour byte loses amount, down to 0.
void subtractFromBytes(const PictureLines& picture, int32_t amount);
// Blacks out every line outside the band.
void keepBand(const PictureLines& picture, const BandValues& band);

// Division of numbers below 2^31 by a fixed divisor (1 to 2^31 - 1) through one 64-bit
// multiplication and shift, and the remainder through two multiplications, both exact: the smear
// and its noise divide every pixel by the same numbers.
class ExactDivider {
  public:
    explicit ExactDivider(uint32_t divisor);
    uint32_t quotient(uint32_t n) const { return uint32_t(n * magic >> shift); }
    // The remainder straight from the fraction part of n / divisor held in 64 bits (wrapping),
    // multiplied back up by divisor: exact for every n and divisor below 2^32.
    uint32_t remainder(uint32_t n) const {
        return uint32_t((unsigned __int128)(fraction * n) * divisor >> 64);
    }

  private:
    uint32_t divisor;
    uint32_t shift;    // 31 + the bits of divisor - 1
    uint64_t magic;    // floor(2^shift / divisor) + 1, below 2^32 + 1
    uint64_t fraction; // floor((2^64 - 1) / divisor) + 1, wrapping to 0 for divisor 1
};

// The noise of the noisy smear: a shift-register generator that starts at 291.
class SmearNoise {
  public:
    // The next draw for amplitude (> 0): the amount to take off a pixel, or 0 when the draw
    // leaves it alone. Advances the state twice.
    int32_t next(int32_t amplitude);
    int32_t next(const ExactDivider& amplitude) {
        // Each step shifts the state right and puts bit 0 xor bit 3 in at bit 30; the state
        // never reaches bit 31, so the shifts are the same unsigned.
        const uint32_t s = uint32_t(state);
        const uint32_t a = (s >> 3) ^ s;
        const uint32_t s1 = ((a & 1) << 30) | (s >> 1);
        const uint32_t a2 = (s1 >> 3) ^ s1;
        state = int32_t((s >> 2) | ((a & 3) << 29)); // both steps at once
        return (a2 >> 1) % 7 != 0 ? int32_t(amplitude.remainder(a >> 1)) : 0;
    }
    int32_t getState() const { return state; }
    // The state after `draws` calls of next (two steps each), without making them.
    void skip(uint64_t draws);

  private:
    int32_t state = 291;
};

// Smears one line of width pixels in place: a running sum over the line, divided by divisor
// (at least 1), where from pixel radius - 2 on the pixel radius places to the left (already
// smeared, or before the line start the end of the store line before it) is taken off again.
// Pixels before storeStart count as black. With noise, each pixel first loses its noise draw.
void smearLine(uint8_t* line, const uint8_t* storeStart, int32_t width, int32_t radius, int32_t divisor,
               SmearNoise* noise, int32_t noiseAmplitude);
