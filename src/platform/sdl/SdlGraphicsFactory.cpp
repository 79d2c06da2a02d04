// The graphics factory of platform (1, 1): SDL display devices and memory surfaces; where no
// screen exists at all (rendering to files on a server) the devices show nothing.
#include "platform/FrameBuffer.h"
#include "platform/GraphicsFactory.h"
#include "platform/dummy/DummyDevice.h"
#include "platform/sdl/SdlDevice.h"

namespace {
class SdlGraphicsFactory : public GraphicsFactory {
  public:
    Device* createDevice(const std::string&) override {
        if (!Sys_DisplayAvailable()) return new DummyDevice();
        return new SdlDevice();
    }
    Surface* createSurface(int32_t width, int32_t height, bool doubled) override {
        return new MemorySurface(width, height, doubled);
    }
    Surface* createSurface() override { return new MemorySurface(); }
};
} // namespace

GraphicsFactory* createPlatformGraphicsFactory() {
    return new SdlGraphicsFactory();
}
