// A picture as three full-size 8-bit planes (Y, Cb, Cr), as the delivery passes it from the
// masters to the film.
#pragma once

#include <cstdint>

struct PlanarPicture {
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* planes[3] = {nullptr, nullptr, nullptr};
    int32_t strides[3] = {0, 0, 0};
};
