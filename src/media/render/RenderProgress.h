// Progress of the render mode: a line on the terminal (file, percent, frames per second, time
// left) and, where a display exists, the "Rendering video..." window. Cancel, Escape or closing
// the window asks "Really?"; Yes sets the quit request and the window is not shown again, No
// leaves the render running.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class ProgressWindow;

class RenderProgress {
public:
    static RenderProgress& instance();
    RenderProgress();
    ~RenderProgress();

    // Opens the window the first time (once per process).
    void start();
    // After each written frame of fileName: percent 0..100, or negative to leave the bar alone.
    void report(const std::string& fileName, int32_t percent, int32_t framesWritten);
    // Ends the terminal line of the current file (when its writer finishes).
    void finishLine();
    // True once the window has been closed by a cancel, or could not be shown at all.
    bool isClosed() const { return closed; }
    // Tests: takes this window instead of opening one at the first frame.
    void useWindow(std::unique_ptr<ProgressWindow> progressWindow);

    // The terminal text, e.g. "piece_1.avi   42%   310.5 frames/s   0:07 left".
    static std::string formatLine(const std::string& fileName, int32_t percent, double framesPerSecond,
                                  double secondsLeft);

private:
    void handleCancel();

    bool pending = true;
    bool closed = false;
    bool toTerminal;
    std::unique_ptr<ProgressWindow> window;
    std::string currentFile;
    uint32_t fileStartMs = 0;
    uint32_t lastLineMs = 0;
    int32_t lastPercent = 0;
    bool lineOpen = false;
};
