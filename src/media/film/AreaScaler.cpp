// Exact area averaging for enlargement, done across then down with 8-bit weights.
#include "media/film/AreaScaler.h"

#include <algorithm>
#include <cstddef>

AreaScaler::AreaScaler(int32_t sourceWidthIn, int32_t sourceHeightIn, int32_t targetWidthIn,
                       int32_t targetHeightIn)
    : sourceWidth(sourceWidthIn), sourceHeight(sourceHeightIn), targetWidth(targetWidthIn),
      targetHeight(targetHeightIn), columns(taps(sourceWidthIn, targetWidthIn)),
      rows(taps(sourceHeightIn, targetHeightIn)),
      wideRows(size_t(sourceWidthIn > 0 ? sourceHeightIn : 0) * size_t(std::max(targetWidthIn, 0))) {}

std::vector<AreaScaler::Tap> AreaScaler::taps(int32_t sourceSize, int32_t targetSize) {
    // In units of 1/targetSize source pixels, target pixel i covers [i x source, (i+1) x source),
    // which is never longer than one source pixel, so it meets at most two of them.
    std::vector<Tap> result(size_t(std::max(targetSize, 0)));
    for (int32_t i = 0; i < targetSize; ++i) {
        const int64_t start = int64_t(i) * sourceSize;
        const int64_t end = start + sourceSize;
        const int32_t first = int32_t(start / targetSize);
        const int64_t firstEnd = std::min(int64_t(first + 1) * targetSize, end);
        int32_t weight = int32_t(((firstEnd - start) * 256 + sourceSize / 2) / sourceSize);
        // The last target pixel never reaches past the last source pixel.
        if (first + 1 >= sourceSize) weight = 256;
        result[size_t(i)] = Tap{first, weight};
    }
    return result;
}

void AreaScaler::scale(const uint8_t* source, int32_t sourceStride, uint8_t* target, int32_t targetStride) {
    for (int32_t y = 0; y < sourceHeight; ++y) {
        const uint8_t* from = source + std::ptrdiff_t(y) * sourceStride;
        uint16_t* to = wideRows.data() + size_t(y) * size_t(targetWidth);
        for (int32_t x = 0; x < targetWidth; ++x) {
            const Tap tap = columns[size_t(x)];
            const int32_t next = tap.weight == 256 ? tap.first : tap.first + 1;
            to[x] = uint16_t(from[tap.first] * tap.weight + from[next] * (256 - tap.weight));
        }
    }
    for (int32_t y = 0; y < targetHeight; ++y) {
        const Tap tap = rows[size_t(y)];
        const int32_t next = tap.weight == 256 ? tap.first : tap.first + 1;
        const uint16_t* upper = wideRows.data() + size_t(tap.first) * size_t(targetWidth);
        const uint16_t* lower = wideRows.data() + size_t(next) * size_t(targetWidth);
        const uint32_t upperWeight = uint32_t(tap.weight), lowerWeight = 256 - upperWeight;
        uint8_t* to = target + std::ptrdiff_t(y) * targetStride;
        for (int32_t x = 0; x < targetWidth; ++x)
            to[x] = uint8_t((upper[x] * upperWeight + lower[x] * lowerWeight + 32768) >> 16);
    }
}
