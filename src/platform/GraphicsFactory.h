// The graphics factory: makes the display devices and surfaces behind the handles, chosen once
// from settings keys 4 (platform) and 5 (graphics interface); only the pair (1, 1) exists.
#pragma once

#include <cstdint>
#include <string>

class Device;
class Surface;

class GraphicsFactory {
public:
    // Raises "Invalid platform!" (GraphicsFactory, line 73) for any pair but (1, 1).
    static GraphicsFactory& instance();
    // Forgets the factory so the next instance() reads the settings again (tests).
    static void destroyInstance();

    virtual ~GraphicsFactory() = default;
    virtual Device* createDevice(const std::string& title) = 0;
    virtual void destroyDevice(Device* device);
    virtual Surface* createSurface(int32_t width, int32_t height, bool doubled) = 0;
    virtual Surface* createSurface() = 0;
    virtual void destroySurface(Surface* surface);
};

// The factory for platform (1, 1), provided by the display backend in use.
GraphicsFactory* createPlatformGraphicsFactory();
