// Frame buffers: 32-bit 0x00RRGGBB pixel stores that all drawing goes into.
// `FrameBuffer` is a handle that forwards to a `Surface` made by the graphics factory.
#pragma once

#include <cstdint>

class Surface {
public:
    virtual ~Surface() = default;
    virtual uint8_t* getPixels() = 0;
    virtual int32_t getLeft() = 0;
    virtual int32_t getTop() = 0;
    virtual int32_t getWidth() = 0;
    virtual int32_t getHeight() = 0;
    virtual int32_t getBitsPerPixel() = 0;
    // 0 for a plain store; the width for a doubled store (the extra distance between rows).
    virtual int32_t isDoubled() = 0;
    virtual void setTop(int32_t top) = 0;
    virtual void setLeft(int32_t left) = 0;
};

// A pixel store in memory. The store holds (height - top) x (width - left) x (bits / 8) bytes,
// twice that when doubled; it is zeroed on allocation so no frame ever shows stale memory.
class MemorySurface : public Surface {
public:
    MemorySurface();                                         // sized from settings keys 1, 2, 3
    MemorySurface(int32_t width, int32_t height, bool doubled); // bits per pixel from key 3
    ~MemorySurface() override;
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    uint8_t* getPixels() override { return pixels; }
    int32_t getLeft() override { return left; }
    int32_t getTop() override { return top; }
    int32_t getWidth() override { return width; }
    int32_t getHeight() override { return height; }
    int32_t getBitsPerPixel() override { return bitsPerPixel; }
    int32_t isDoubled() override { return doubled; }
    void setTop(int32_t value) override { top = value; }
    void setLeft(int32_t value) override { left = value; }
    // Size of the pixel store in bytes.
    int64_t getStoreBytes() const { return storeBytes; }

private:
    void allocate();

    uint8_t* pixels = nullptr;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 32;
    int32_t doubled = 0;
    int64_t storeBytes = 0;
};

class FrameBuffer {
public:
    FrameBuffer();                                          // sized from the settings
    FrameBuffer(int32_t width, int32_t height, bool doubled); // sized
    virtual ~FrameBuffer();
    FrameBuffer(const FrameBuffer&) = delete;
    FrameBuffer& operator=(const FrameBuffer&) = delete;

    virtual uint8_t* getPixels() { return surface->getPixels(); }
    virtual int32_t getLeft() { return surface->getLeft(); }
    virtual int32_t getTop() { return surface->getTop(); }
    virtual int32_t getWidth() { return surface->getWidth(); }
    virtual int32_t getHeight() { return surface->getHeight(); }
    virtual int32_t getBitsPerPixel() { return surface->getBitsPerPixel(); }
    virtual int32_t isDoubled() { return surface->isDoubled(); }
    virtual void setTop(int32_t top) { surface->setTop(top); }
    virtual void setLeft(int32_t left) { surface->setLeft(left); }

    uint32_t* getPixels32() { return reinterpret_cast<uint32_t*>(getPixels()); }
    Surface* getSurface() { return surface; }

private:
    Surface* surface;
};
