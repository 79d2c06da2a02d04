// The display device: puts a finished frame buffer on the screen once per `present`, pumps the
// window's events there and turns Escape or a close request into the shell's quit request.
// `DisplayDevice` is a handle that forwards to a `Device` made by the graphics factory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FrameBuffer;

class Device {
  public:
    virtual ~Device() = default;
    virtual bool open(int32_t width, int32_t height) = 0; // a window and display of that size
    virtual void close() = 0;
    virtual bool isCloseRequested() = 0;
    virtual void setFrameBuffer(FrameBuffer* frameBuffer) = 0;
    virtual bool present() = 0;
};

class DisplayDevice {
  public:
    explicit DisplayDevice(const std::string& title);
    virtual ~DisplayDevice();
    DisplayDevice(const DisplayDevice&) = delete;
    DisplayDevice& operator=(const DisplayDevice&) = delete;

    // Opens the display at the size of settings keys 1 and 2.
    virtual bool open();
    virtual void close() { device->close(); }
    virtual bool isCloseRequested() { return device->isCloseRequested(); }
    virtual void setFrameBuffer(FrameBuffer* frameBuffer) {
        shown = frameBuffer;
        device->setFrameBuffer(frameBuffer);
    }
    // The frame buffer the presents show (null before one is set).
    FrameBuffer* getFrameBuffer() const { return shown; }
    virtual bool present(); // counted for the long-run figures

    Device* getDevice() { return device; }

  private:
    Device* device;
    FrameBuffer* shown = nullptr;
};

// Input and window state shared by the display backends (one display at a time).
namespace DisplayInput {
void setCursorVisible(bool visible);
bool isCursorVisible();
int32_t getMouseX(); // frame-buffer pixels; -1 before any mouse move
int32_t getMouseY();
// True when a click is pending strictly inside (x0, y0)-(x1, y1); the click is then consumed.
bool takeClickIn(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// Backends report events through these.
void reportMouseMove(int32_t x, int32_t y);
void reportClick(int32_t x, int32_t y);
// Escape or a close request: calls the handler the shell set (its quit request).
void reportQuit();
// The keys a live show answers besides Escape: Space, Left and Right, kept in order until taken.
enum class ShowKey { pause, back, forward };
void reportKey(ShowKey key);
// The keys pressed since the last call, oldest first.
std::vector<ShowKey> takeKeys();
void setQuitHandler(void (*handler)());
void reset(); // forget mouse and click (tests)
} // namespace DisplayInput

// How the next display opens; the shell sets these from its command line.
namespace DisplayOptions {
void setWindowed(bool windowed); // a resizable window instead of the full desktop
bool isWindowed();
void setHidden(bool hidden); // windows are created hidden (rendering to video files)
bool isHidden();
} // namespace DisplayOptions

// Whether a screen can be used at all: an X11 or Wayland display, or a driver named in
// SDL_VIDEODRIVER, that the video system can start. Probed once.
bool Sys_DisplayAvailable();
// Hides the window of `getWindowHandle` (null is ignored).
void Sys_HideWindow(void* windowHandle);

// An opaque handle of the current window (null when none is open); video mode hides it.
void* getWindowHandle();
void setWindowHandle(void* handle);
