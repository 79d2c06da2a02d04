// Piece one's view of a frame buffer's pixels.
#include "pieces/one/PixelStore.h"

#include "platform/FrameBuffer.h"

#include <cstring>

PixelStore PixelStore::of(FrameBuffer* frameBuffer) {
    PixelStore store;
    if (!frameBuffer || frameBuffer->getBitsPerPixel() != 32 || !frameBuffer->getPixels()) return store;
    if (frameBuffer->getWidth() <= 0 || frameBuffer->getHeight() <= 0) return store;
    store.pixels = frameBuffer->getPixels32();
    store.width = frameBuffer->getWidth();
    store.height = frameBuffer->getHeight();
    return store;
}

void PixelStore::clear() {
    if (pixels) std::memset(pixels, 0, size_t(size()) * 4);
}
