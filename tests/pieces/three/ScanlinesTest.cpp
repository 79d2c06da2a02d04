// The grey scanline copy on small hand-made layers: the order of the pairs, the floor held at
// black, byte 3 and the lines it leaves alone.
#include "pieces/three/ClipScanlines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t width = 8;

struct Buffers {
    std::vector<uint32_t> layer = std::vector<uint32_t>(width * 3, 0);
    std::vector<uint32_t> screen = std::vector<uint32_t>(width * 4, 0xAB123456u);
    void copy(const RowTable& table, float floor) {
        ClipScanlines::copyRows(layer.data(), width, 3, screen.data(), width, 4, width, table, floor);
    }
    uint32_t at(int32_t x, int32_t y) const { return screen[size_t(y * width + x)]; }
};

} // namespace

TEST(ClipScanlines, ALaterPairForTheSameScreenLineWins) {
    Buffers buffers;
    for (int32_t x = 0; x < width; ++x) {
        buffers.layer[size_t(x)] = 0xFFFFFFu;             // grey 95
        buffers.layer[size_t(width + x)] = 0xC8FFFFu;     // grey 88
        buffers.layer[size_t(2 * width + x)] = 0x00283Cu; // grey 12: black after 84
    }
    // Above the largest noise (84) the floor alone darkens: 95 - 84 = 11, 88 - 84 = 4.
    buffers.copy({{0, 1}, {1, 1}, {1, 2}, {0, 2}, {2, 3}}, 84.0f);
    for (int32_t x = 0; x < width; ++x) {
        EXPECT_EQ(buffers.at(x, 0), 0xAB123456u);                  // the line of no pair stays as it was
        EXPECT_EQ(buffers.at(x, 1), 0xAB000000u | 4u * 0x010101u); // byte 3 kept
        EXPECT_EQ(buffers.at(x, 2), 0xAB000000u | 11u * 0x010101u);
        EXPECT_EQ(buffers.at(x, 3), 0xAB000000u); // held at 0, never wrapped
    }
}
