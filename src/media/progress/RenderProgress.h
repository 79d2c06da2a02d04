// Progress of the render mode: a line on the terminal (file, percent, frames per second, time
// left) and, where a display exists, the "Rendering video..." window. Cancel, Escape or closing
// the window asks "Really?"; Yes sets the quit request and the window is not shown again, No
// leaves the render running.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ProgressWindow;

// One file the whole render writes, with the show time it covers.
struct RenderPart {
    std::string fileName;
    double seconds = 0.0;
    // A file that holds a range of its part: the frames planned for it, which its percent
    // counts (0: the whole part, whose own progress is given).
    int64_t rangeFrames = 0;
};

// A file the render finished: what the summary lists.
struct FinishedFile {
    std::string fileName;
    int64_t frames = 0;
    double seconds = 0.0;    // frames / frames per second
    int64_t bytes = 0;       // size on disk
    int32_t lastPercent = 0; // progress when it was finished: below 100 when cut short
};

class RenderProgress {
  public:
    // confirmCancel is asked when the viewer cancels in the window (Cancel, Escape, closing it);
    // true ends the render. Without one a cancel always ends it.
    explicit RenderProgress(std::function<bool()> confirmCancel = nullptr);
    ~RenderProgress();

    // The files the whole render will write, in order, at framesPerSecond: the progress then
    // also shows the whole render's percent and time left. Starts the render's wall clock.
    void setPlan(const std::vector<RenderPart>& parts, int32_t framesPerSecond);
    // Opens the window the first time (once per process).
    void start();
    // After each written frame of fileName: percent 0..100, or negative to leave the bar alone.
    void report(const std::string& fileName, int32_t percent, int32_t framesWritten);
    // Ends the terminal line of the current file (when its writer finishes).
    void finishLine();
    // A finished file for the summary (a second report of the same file replaces the first).
    void fileFinished(const std::string& fileName, int64_t frames, int32_t framesPerSecond);
    // How a render ended, as its summary says.
    enum class Ending { finished, cancelled, failed };
    // The end-of-render summary: each finished file with its frames, duration and size, then the
    // wall time and the speed as a multiple of real time; a cancelled or failed render says so.
    std::vector<std::string> summary(Ending ending) const;
    // Whether a plan was set: the pieces began to render.
    bool hasPlan() const { return renderStarted; }
    // The whole render's progress 0..100 after frames of fileName, or -1 without a plan.
    int32_t wholePercent(const std::string& fileName, int32_t framesWritten) const;
    // True once the viewer confirmed a cancel in the window.
    bool wasCancelled() const { return cancelled; }
    // True once the window has been closed by a cancel, or could not be shown at all.
    bool isClosed() const { return closed; }
    // Tests: takes this window instead of opening one at the first frame.
    void useWindow(std::unique_ptr<ProgressWindow> progressWindow);

    // The terminal text, e.g. "piece_1.avi   42%   310.5 frames/s   0:07 left   show  18%  2:40
    // left"; negative values leave their part out.
    static std::string formatLine(const std::string& fileName, int32_t percent, double framesPerSecond,
                                  double secondsLeft, int32_t wholePercent = -1,
                                  double wholeSecondsLeft = -1.0);

  private:
    void handleCancel();

    std::function<bool()> confirmCancel;
    bool cancelled = false;

    bool pending = true;
    bool closed = false;
    bool toTerminal;
    std::unique_ptr<ProgressWindow> window;
    std::string currentFile;
    uint32_t fileStartMs = 0;
    uint32_t lastLineMs = 0;
    int32_t lastPercent = 0;
    bool lineOpen = false;
    std::vector<RenderPart> plan;
    int32_t planFramesPerSecond = 25;
    uint32_t renderStartMs = 0;
    bool renderStarted = false;
    std::vector<FinishedFile> finished;
};
