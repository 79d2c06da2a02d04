// Test material for piece one: a clip made in memory, frame buffers, and a small pixel store
// with guard zones before and after it that no effect (nor piece three's dissolve) may touch.
#pragma once

#include "pieces/one/PieceClip.h"
#include "pieces/one/PixelStore.h"
#include "platform/DisplayPair.h"
#include "platform/FrameBuffer.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace PieceOneTest {

inline std::unique_ptr<FrameBuffer> makeFrameBuffer() {
    writeDisplaySettings(640, 480);
    return std::make_unique<FrameBuffer>(640, 480, false);
}

// A clip of 93 frames of 320x240, 29 frames per second; pixel (x, y) of frame n is never black:
// blue = x & 0xFF, green = y & 0xFF, red = 0x80 | n. Only the current frame is kept.
class SyntheticClip : public PieceClip {
public:
    static constexpr int32_t width = 320, height = 240;
    static uint32_t colourAt(int32_t frame, int32_t x, int32_t y) {
        return uint32_t(x & 0xFF) | uint32_t(y & 0xFF) << 8 | uint32_t(0x80 | frame) << 16;
    }
    void draw(FrameBuffer* fb, int32_t timeMs) override {
        select(timeMs);
        PixelStore store = PixelStore::of(fb);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                if (store.contains(fb->getLeft() + x, fb->getTop() + y))
                    store.at(fb->getLeft() + x, fb->getTop() + y) = colourAt(index, x, y);
    }
    void select(int32_t timeMs) override {
        index = std::clamp(int32_t(int64_t(timeMs) * 29 / 1000), 0, 92);
        lastTime = timeMs;
        frame.resize(size_t(width) * height * 3);
        for (int32_t i = 0; i < width * height; ++i) {
            uint8_t* p = &frame[size_t(i) * 3];
            p[0] = uint8_t(i % width), p[1] = uint8_t(i / width), p[2] = uint8_t(0x80 | index);
        }
    }
    const uint8_t* currentFrame() const override { return frame.empty() ? nullptr : frame.data(); }
    int32_t framePixels() const override { return width * height; }

    int32_t index = -1, lastTime = -1;
    std::vector<uint8_t> frame;
};

// A width x height store inside a larger block, pixel i holding i at the start; the guard pixels
// around it hold 0xDEADBEEF.
struct GuardedStore {
    static constexpr int32_t guard = 4096;
    static constexpr uint32_t guardValue = 0xDEADBEEFu;

    GuardedStore(int32_t width, int32_t height) : block(size_t(width) * height + 2 * guard, guardValue) {
        store = PixelStore{block.data() + guard, width, height};
        for (int64_t i = 0; i < store.size(); ++i) store.pixels[i] = uint32_t(i);
    }
    bool guardsIntact() const {
        return std::count(block.begin(), block.begin() + guard, guardValue) == guard &&
               std::count(block.end() - guard, block.end(), guardValue) == guard;
    }
    uint32_t at(int32_t x, int32_t y) { return store.at(x, y); }
    uint32_t initial(int32_t x, int32_t y) const { return uint32_t(y * store.width + x); }
    void fill(uint32_t value) { std::fill(store.pixels, store.pixels + store.size(), value); }
    std::vector<uint32_t> block;
    PixelStore store;
};

} // namespace PieceOneTest
