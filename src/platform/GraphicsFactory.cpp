// Graphics factory selection from the settings.
#include "platform/GraphicsFactory.h"

#include "platform/DisplayDevice.h"
#include "platform/Errors.h"
#include "platform/FrameBuffer.h"
#include "platform/Settings.h"

namespace {
GraphicsFactory* theFactory = nullptr;
}

GraphicsFactory& GraphicsFactory::instance() {
    if (!theFactory) {
        Settings& settings = Settings::instance();
        if (settings.get(Settings::Platform) != 1 || settings.get(Settings::Interface) != 1)
            throw ExceptionSpace::Exception(ExceptionSpace::invalidPlatformMessage, "GraphicsFactory", 73);
        theFactory = createPlatformGraphicsFactory();
    }
    return *theFactory;
}

void GraphicsFactory::destroyInstance() {
    delete theFactory;
    theFactory = nullptr;
}

void GraphicsFactory::destroyDevice(Device* device) { delete device; }
void GraphicsFactory::destroySurface(Surface* surface) { delete surface; }
