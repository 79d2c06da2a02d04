// Test material for piece one: a clip made in memory, frame buffers, and a small pixel store
// with guard zones before and after it that no effect may touch.
#pragma once

#include "pieces/LiveRun.h"
#include "pieces/one/PieceClip.h"
#include "pieces/one/PixelStore.h"
#include "platform/FrameBuffer.h"
#include "platform/GraphicsFactory.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace PieceOneTest {

inline std::unique_ptr<FrameBuffer> makeFrameBuffer() {
    writeDisplaySettings(640, 480);
    return std::make_unique<FrameBuffer>(640, 480, false);
}

// A clip of `frameCount` frames of width x height, 29 frames per second; pixel (x, y) of frame n
// is never black: blue = x & 0xFF, green = y & 0xFF, red = 0x80 | n.
class SyntheticClip : public PieceClip {
public:
    SyntheticClip(int32_t width = 320, int32_t height = 240, int32_t frameCount = 93)
        : width(width), height(height), frames(size_t(frameCount)) {
        for (int32_t n = 0; n < frameCount; ++n) {
            frames[size_t(n)].resize(size_t(width) * height * 3);
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x) {
                    uint8_t* p = &frames[size_t(n)][(size_t(y) * width + x) * 3];
                    p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(0x80 | n);
                }
        }
    }
    static uint32_t colourAt(int32_t frame, int32_t x, int32_t y) {
        return uint32_t(x & 0xFF) | uint32_t(y & 0xFF) << 8 | uint32_t(0x80 | frame) << 16;
    }
    void draw(FrameBuffer* fb, int32_t timeMs) override {
        select(timeMs);
        PixelStore store = PixelStore::of(fb);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                int32_t tx = fb->getLeft() + x, ty = fb->getTop() + y;
                if (!store.contains(tx, ty)) continue;
                const uint8_t* p = current + (size_t(y) * width + x) * 3;
                store.at(tx, ty) = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            }
    }
    void select(int32_t timeMs) override {
        const int32_t index = std::clamp(int32_t(int64_t(timeMs) * 29 / 1000), 0, int32_t(frames.size()) - 1);
        current = frames[size_t(index)].data();
        lastTime = timeMs;
    }
    const uint8_t* currentFrame() const override { return current; }
    int32_t framePixels() const override { return width * height; }

    int32_t width, height;
    int32_t lastTime = -1;
    std::vector<std::vector<uint8_t>> frames;
    const uint8_t* current = nullptr;
};

// A width x height store inside a larger block; the guard pixels around it hold 0xDEADBEEF.
struct GuardedStore {
    static constexpr int32_t guard = 4096;
    static constexpr uint32_t guardValue = 0xDEADBEEFu;

    GuardedStore(int32_t width, int32_t height) : block(size_t(width) * height + 2 * guard, guardValue) {
        store.pixels = block.data() + guard;
        store.width = width;
        store.height = height;
        for (int64_t i = 0; i < store.size(); ++i) store.pixels[i] = uint32_t(i);
    }
    bool guardsIntact() const {
        for (int32_t i = 0; i < guard; ++i)
            if (block[size_t(i)] != guardValue || block[block.size() - 1 - size_t(i)] != guardValue) return false;
        return true;
    }
    uint32_t at(int32_t x, int32_t y) { return store.at(x, y); }
    std::vector<uint32_t> block;
    PixelStore store;
};

} // namespace PieceOneTest
