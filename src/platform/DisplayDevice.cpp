// Display device handle, the process-wide mouse and cursor state, and the display options.
#include "platform/DisplayDevice.h"

#include "platform/GraphicsFactory.h"
#include "platform/Settings.h"
#include "platform/ShowStats.h"

DisplayDevice::DisplayDevice(const std::string& title)
    : device(GraphicsFactory::instance().createDevice(title)) {}

DisplayDevice::~DisplayDevice() {
    GraphicsFactory::instance().destroyDevice(device);
}

bool DisplayDevice::open() {
    Settings& settings = Settings::instance();
    return device->open(settings.get(Settings::Width), settings.get(Settings::Height));
}

bool DisplayDevice::present() {
    ShowStats::recordPresent();
    return device->present();
}

namespace {
bool cursorVisible = false;
int32_t mouseX = -1, mouseY = -1;
int32_t clickX = -1, clickY = -1;
bool clickPending = false;
void* windowHandle = nullptr;
void (*quitHandler)() = nullptr;
std::vector<DisplayInput::ShowKey> keysPressed;
bool windowedOption = false;
bool hiddenOption = false;
} // namespace

namespace DisplayInput {
void setCursorVisible(bool visible) {
    cursorVisible = visible;
}
bool isCursorVisible() {
    return cursorVisible;
}
int32_t getMouseX() {
    return mouseX;
}
int32_t getMouseY() {
    return mouseY;
}

bool takeClickIn(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    // Without a pending click nothing is taken, also in a rectangle that holds (-1, -1).
    if (!clickPending) return false;
    if (clickX > x0 && clickX < x1 && clickY > y0 && clickY < y1) {
        clickX = clickY = -1;
        clickPending = false;
        return true;
    }
    return false;
}

void reportMouseMove(int32_t x, int32_t y) {
    mouseX = x;
    mouseY = y;
}

void reportClick(int32_t x, int32_t y) {
    clickX = x;
    clickY = y;
    clickPending = true;
}

void reportQuit() {
    if (quitHandler) quitHandler();
}

void setQuitHandler(void (*handler)()) {
    quitHandler = handler;
}

void reportKey(ShowKey key) {
    keysPressed.push_back(key);
}

std::vector<ShowKey> takeKeys() {
    std::vector<ShowKey> taken;
    taken.swap(keysPressed);
    return taken;
}

void reset() {
    mouseX = mouseY = clickX = clickY = -1;
    clickPending = false;
    keysPressed.clear();
}
} // namespace DisplayInput

namespace DisplayOptions {
void setWindowed(bool windowed) {
    windowedOption = windowed;
}
bool isWindowed() {
    return windowedOption;
}
void setHidden(bool hidden) {
    hiddenOption = hidden;
}
bool isHidden() {
    return hiddenOption;
}
} // namespace DisplayOptions

void* getWindowHandle() {
    return windowHandle;
}
void setWindowHandle(void* handle) {
    windowHandle = handle;
}
