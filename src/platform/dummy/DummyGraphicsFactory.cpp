// Until a screen backend exists, platform (1, 1) makes headless devices and memory surfaces.
#include "platform/FrameBuffer.h"
#include "platform/GraphicsFactory.h"
#include "platform/dummy/DummyDevice.h"

namespace {
class DummyGraphicsFactory : public GraphicsFactory {
public:
    Device* createDevice(const std::string&) override { return new DummyDevice(); }
    Surface* createSurface(int32_t width, int32_t height, bool doubled) override {
        return new MemorySurface(width, height, doubled);
    }
    Surface* createSurface() override { return new MemorySurface(); }
};
} // namespace

GraphicsFactory* createPlatformGraphicsFactory() { return new DummyGraphicsFactory(); }
