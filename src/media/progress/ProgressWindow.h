// The small "Rendering video..." window: a bar for the file being written, one for the whole
// render, and a Cancel button, drawn with SDL and pumped by the render loop on the main thread.
#pragma once

#include <cstdint>
#include <memory>

class ProgressWindow {
  public:
    // A shown window, or null where no display is available. Tests pass requireDisplay false to
    // get a window under SDL's dummy driver.
    static std::unique_ptr<ProgressWindow> open(bool requireDisplay = true);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void setPercent(int32_t percent);      // the file's bar, clamped to 0..100
    void setWholePercent(int32_t percent); // the whole render's bar, clamped to 0..100
    // Handles the window's events and redraws it. True when the viewer asked to cancel (the
    // Cancel button, Escape or the close button) since the last call.
    bool pump();

    // Window layout in pixels, shared by drawing and hit-testing.
    static constexpr int32_t width = 440, height = 120;
    static constexpr int32_t barX = 20, barY = 16, barWidth = 400, barHeight = 20;
    static constexpr int32_t wholeBarY = 44, wholeBarHeight = 12;
    static constexpr int32_t buttonX = 170, buttonY = 78, buttonWidth = 100, buttonHeight = 28;
    static bool isOnCancelButton(int32_t x, int32_t y);
    // SDL's id of the window, which its events carry.
    uint32_t getWindowId() const;

  private:
    ProgressWindow() = default;
    struct Impl;
    std::unique_ptr<Impl> impl;
};
