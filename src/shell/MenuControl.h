// The common part of the start menu's controls: the picture, its place in the 1024-pixel-wide
// menu frame buffer, the glow (highlight), the colour strength (brightness) and the state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FileServer;

// A control's picture as frame-buffer words 0x00RRGGBB, rows packed.
struct ControlImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;

    // Loads an image of files (its bytes 0, 1, 2 become blue, green, red).
    static ControlImage load(FileServer& files, const char* name);
};

class MenuControl {
  public:
    // Row length of the frame buffer that controls draw into, and its height.
    static constexpr int32_t rowLength = 1024;
    static constexpr int32_t rows = 768;
    static constexpr int32_t stateOn = 2;  // toggle on, button pressed
    static constexpr int32_t stateOff = 4; // toggle off, button not pressed

    virtual ~MenuControl() = default;
    // Animates by the show clock's frame step (whole clock units, 71 per second), then draws
    // into the destination.
    virtual void update(int32_t frameStep);
    virtual void animate(int32_t frameStep) = 0;

    int32_t getX() const { return x; }
    int32_t getY() const { return y; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getHoverState() const { return hoverState; }
    int32_t getState() const { return state; }
    float getHighlight() const { return highlight; }
    float getBrightness() const { return brightness; }

  protected:
    // destination: the menu frame buffer's pixels (1024 x 768).
    MenuControl(ControlImage image, int32_t x, int32_t y, uint8_t* destination, int32_t state,
                float brightness, float highlight);
    // Hover, glow, click and colour steps shared by both kinds of control.
    void animateShared(int32_t frameStep);
    virtual void draw() = 0;
    // Writes blue, green, red at column c, row r of the picture; pixels off the frame buffer are
    // left out, so a picture too large for its place cannot write past the frame buffer.
    void put(int32_t c, int32_t r, uint8_t blue, uint8_t green, uint8_t red);

    int32_t hoverState = 1;
    float highlight;
    int32_t state;
    float brightness;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width;
    int32_t height;
    uint8_t* destination;
    std::vector<uint32_t> pixels;
};
