// The fast pixel routines: SSE2 blocks (64 bytes of copy, 16 pixels to 24 bits, 8 pixels to
// 16 bits) with the plain routines finishing each row's remainder.
#include "platform/pixels/FastMemory.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(__SSE2__)

namespace {

__m128i load(const uint8_t* source) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
}
void store(uint8_t* destination, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), value);
}

// Four pixels to their twelve 24-bit bytes, in bytes 0-11 of the result (12-15 are zero).
__m128i pack24(__m128i pixels) {
    const __m128i low24 = _mm_set1_epi32(0x00FFFFFF);
    const __m128i lowHalf = _mm_set1_epi64x(0x00000000FFFFFFFFll);
    const __m128i movedPixel = _mm_set1_epi64x(0x0000FFFFFF000000ll);
    pixels = _mm_and_si128(pixels, low24);
    // Each 64-bit lane: the odd pixel moves down 8 bits next to the even one, 6 bytes per lane.
    __m128i lanes =
        _mm_or_si128(_mm_and_si128(pixels, lowHalf), _mm_and_si128(_mm_srli_epi64(pixels, 8), movedPixel));
    return _mm_or_si128(_mm_move_epi64(lanes), _mm_slli_si128(_mm_srli_si128(lanes, 8), 6));
}

// The 16-bit words of four pixels, each in the low half of its 32-bit lane.
__m128i words565(__m128i p) {
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_srli_epi32(p, 8), _mm_set1_epi32(0xF800)),
                                     _mm_and_si128(_mm_srli_epi32(p, 5), _mm_set1_epi32(0x07E0))),
                        _mm_and_si128(_mm_srli_epi32(p, 3), _mm_set1_epi32(0x001F)));
}

__m128i words565BlueHigh(__m128i p) {
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_slli_epi32(p, 8), _mm_set1_epi32(0xF800)),
                                     _mm_and_si128(_mm_srli_epi32(p, 5), _mm_set1_epi32(0x07E0))),
                        _mm_and_si128(_mm_srli_epi32(p, 19), _mm_set1_epi32(0x001F)));
}

__m128i words555(__m128i p) {
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_srli_epi32(p, 9), _mm_set1_epi32(0x7C00)),
                                     _mm_and_si128(_mm_srli_epi32(p, 6), _mm_set1_epi32(0x03E0))),
                        _mm_and_si128(_mm_srli_epi32(p, 3), _mm_set1_epi32(0x001F)));
}

__m128i words555BlueHigh(__m128i p) {
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_slli_epi32(p, 7), _mm_set1_epi32(0x7C00)),
                                     _mm_and_si128(_mm_srli_epi32(p, 6), _mm_set1_epi32(0x03E0))),
                        _mm_and_si128(_mm_srli_epi32(p, 19), _mm_set1_epi32(0x001F)));
}

// Narrows 32-bit lanes holding 0..0xFFFF to 16 bits: sign-extending the low half first makes
// the signed saturation of packs keep every bit.
__m128i narrow(__m128i a, __m128i b) {
    a = _mm_srai_epi32(_mm_slli_epi32(a, 16), 16);
    b = _mm_srai_epi32(_mm_slli_epi32(b, 16), 16);
    return _mm_packs_epi32(a, b);
}

template <__m128i (*words)(__m128i), void (*plain)(uint8_t*, const uint8_t*, size_t)>
void convert16(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    size_t blocks = pixelCount / 8;
    for (size_t k = 0; k < blocks; ++k) {
        store(destination, narrow(words(load(source)), words(load(source + 16))));
        source += 32;
        destination += 16;
    }
    plain(destination, source, pixelCount % 8);
}

} // namespace

namespace FastMemory {

bool usesSse2() {
    return true;
}

void copyBytes(void* destination, const void* source, size_t byteCount) {
    auto* out = static_cast<uint8_t*>(destination);
    const auto* in = static_cast<const uint8_t*>(source);
    size_t blocks = byteCount / 64;
    for (size_t k = 0; k < blocks; ++k) {
        __m128i a = load(in), b = load(in + 16), c = load(in + 32), d = load(in + 48);
        store(out, a);
        store(out + 16, b);
        store(out + 32, c);
        store(out + 48, d);
        in += 64;
        out += 64;
    }
    PlainMemory::copyBytes(out, in, byteCount % 64);
}

void to24(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    size_t blocks = pixelCount / 16;
    for (size_t k = 0; k < blocks; ++k) {
        __m128i a = pack24(load(source)), b = pack24(load(source + 16));
        __m128i c = pack24(load(source + 32)), d = pack24(load(source + 48));
        store(destination, _mm_or_si128(a, _mm_slli_si128(b, 12)));
        store(destination + 16, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
        store(destination + 32, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
        source += 64;
        destination += 48;
    }
    PlainMemory::to24(destination, source, pixelCount % 16);
}

void to565(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convert16<words565, PlainMemory::to565>(destination, source, pixelCount);
}

void to565BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convert16<words565BlueHigh, PlainMemory::to565BlueHigh>(destination, source, pixelCount);
}

void to555(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convert16<words555, PlainMemory::to555>(destination, source, pixelCount);
}

void to555BlueHigh(uint8_t* destination, const uint8_t* source, size_t pixelCount) {
    convert16<words555BlueHigh, PlainMemory::to555BlueHigh>(destination, source, pixelCount);
}

} // namespace FastMemory

#else // no SSE2: the plain routines serve

namespace FastMemory {
bool usesSse2() {
    return false;
}
void copyBytes(void* d, const void* s, size_t n) {
    PlainMemory::copyBytes(d, s, n);
}
void to24(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::to24(d, s, n);
}
void to565(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::to565(d, s, n);
}
void to565BlueHigh(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::to565BlueHigh(d, s, n);
}
void to555(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::to555(d, s, n);
}
void to555BlueHigh(uint8_t* d, const uint8_t* s, size_t n) {
    PlainMemory::to555BlueHigh(d, s, n);
}
} // namespace FastMemory

#endif
