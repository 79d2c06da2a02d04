// Frame buffer handles and the in-memory surface.
#include "platform/FrameBuffer.h"

#include "platform/GraphicsFactory.h"
#include "platform/Settings.h"

#include <cstring>
#include <new>

MemorySurface::MemorySurface()
    : width(Settings::instance().get(Settings::Width)), height(Settings::instance().get(Settings::Height)),
      bitsPerPixel(Settings::instance().get(Settings::BitsPerPixel)) {
    allocate();
}

MemorySurface::MemorySurface(int32_t width_, int32_t height_, bool doubled_)
    : width(width_), height(height_), bitsPerPixel(Settings::instance().get(Settings::BitsPerPixel)),
      doubled(doubled_ ? width_ : 0) {
    allocate();
}

void MemorySurface::allocate() {
    int64_t w = width - left > 0 ? width - left : 0;
    int64_t h = height - top > 0 ? height - top : 0;
    int64_t bytesPerPixel = bitsPerPixel / 8 > 0 ? bitsPerPixel / 8 : 4;
    storeBytes = w * h * bytesPerPixel * (doubled ? 2 : 1);
    pixels = new uint8_t[size_t(storeBytes > 0 ? storeBytes : 1)];
    std::memset(pixels, 0, size_t(storeBytes > 0 ? storeBytes : 1));
}

MemorySurface::~MemorySurface() { delete[] pixels; }

FrameBuffer::FrameBuffer() : surface(GraphicsFactory::instance().createSurface()) {}

FrameBuffer::FrameBuffer(int32_t width, int32_t height, bool doubled)
    : surface(GraphicsFactory::instance().createSurface(width, height, doubled)) {}

FrameBuffer::~FrameBuffer() { GraphicsFactory::instance().destroySurface(surface); }
