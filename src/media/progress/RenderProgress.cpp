// The render progress line and window.
#include "media/progress/RenderProgress.h"

#include "media/progress/ProgressWindow.h"
#include "platform/QuitRequest.h"
#include "platform/SystemClock.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {
// A terminal is rewritten in place a few times a second; a log gets a line a second.
constexpr uint32_t terminalIntervalMs = 250;
constexpr uint32_t logIntervalMs = 1000;
} // namespace

RenderProgress::RenderProgress(std::function<bool()> confirm)
    : confirmCancel(std::move(confirm)), toTerminal(isatty(STDERR_FILENO) == 1) {}

RenderProgress::~RenderProgress() = default;

void RenderProgress::useWindow(std::unique_ptr<ProgressWindow> progressWindow) {
    pending = false;
    window = std::move(progressWindow);
    closed = !window;
}

void RenderProgress::start() {
    if (!pending) return;
    pending = false;
    window = ProgressWindow::open();
    if (!window) closed = true;
}

namespace {
// "m:ss left", or nothing for an unknown time.
std::string timeLeft(double seconds) {
    if (seconds < 0) return "";
    long left = long(seconds + 0.5);
    char text[48];
    std::snprintf(text, sizeof text, "  %ld:%02ld left", left / 60, left % 60);
    return text;
}

// Seconds of work left when a fraction done took elapsed seconds; -1 before anything is done.
double secondsLeftAt(double fraction, double elapsed) {
    return fraction > 0 && elapsed > 0 ? elapsed * (1.0 - fraction) / fraction : -1.0;
}
} // namespace

std::string RenderProgress::formatLine(const std::string& fileName, int32_t percent, double framesPerSecond,
                                       double secondsLeft, int32_t wholePercent, double wholeSecondsLeft) {
    char text[256];
    std::snprintf(text, sizeof text, "%s %4d%%  %7.1f frames/s", fileName.c_str(), int(percent),
                  framesPerSecond);
    std::string line = text + timeLeft(secondsLeft);
    if (wholePercent >= 0) {
        std::snprintf(text, sizeof text, "   show %3d%%", int(wholePercent));
        line += text + timeLeft(wholeSecondsLeft);
    }
    return line;
}

void RenderProgress::setPlan(const std::vector<RenderPart>& parts, int32_t framesPerSecond) {
    plan = parts;
    planFramesPerSecond = std::max(1, framesPerSecond);
    renderStartMs = Sys_Milliseconds();
    renderStarted = true;
    finished.clear();
}

int32_t RenderProgress::wholePercent(const std::string& fileName, int32_t framesWritten) const {
    double total = 0.0, done = 0.0;
    bool reached = false;
    for (const RenderPart& part : plan) {
        total += part.seconds;
        if (reached) continue;
        if (part.fileName == fileName) {
            done += std::min(part.seconds, double(framesWritten) / planFramesPerSecond);
            reached = true;
        } else {
            done += part.seconds; // the parts before this one, finished or left out by a quit
        }
    }
    if (!reached || total <= 0) return -1;
    return int32_t(std::clamp(done / total * 100.0, 0.0, 100.0));
}

void RenderProgress::fileFinished(const std::string& fileName, int64_t frames, int32_t framesPerSecond) {
    FinishedFile file;
    file.fileName = fileName;
    file.frames = frames;
    file.seconds = framesPerSecond > 0 ? double(frames) / framesPerSecond : 0.0;
    struct stat status;
    if (stat(fileName.c_str(), &status) == 0) file.bytes = int64_t(status.st_size);
    file.lastPercent = fileName == currentFile ? lastPercent : 0;
    auto same = std::find_if(finished.begin(), finished.end(),
                             [&](const FinishedFile& each) { return each.fileName == fileName; });
    if (same != finished.end())
        *same = file;
    else
        finished.push_back(file);
}

std::vector<std::string> RenderProgress::summary(Ending ending) const {
    std::vector<std::string> lines;
    char text[256];
    const bool cancelled = ending != Ending::finished;
    lines.push_back(ending == Ending::finished    ? "Render finished:"
                    : ending == Ending::cancelled ? "Render cancelled; finished files:"
                                                  : "Render stopped by an error; finished files:");
    double showSeconds = 0.0;
    for (const FinishedFile& file : finished) {
        std::snprintf(text, sizeof text, "  %-16s %7lld frames  %8.2f s  %8.1f MB%s", file.fileName.c_str(),
                      (long long)file.frames, file.seconds, double(file.bytes) / 1e6,
                      file.lastPercent < 100 && cancelled ? "  (cut short)" : "");
        lines.push_back(text);
        showSeconds += file.seconds;
    }
    if (finished.empty()) lines.push_back("  no file was written");
    const double wall = renderStarted ? double(Sys_Milliseconds() - renderStartMs) / 1000.0 : 0.0;
    std::snprintf(text, sizeof text, "  %.1f s of show in %.1f s: %.2f x real time", showSeconds, wall,
                  wall > 0 ? showSeconds / wall : 0.0);
    lines.push_back(text);
    return lines;
}

void RenderProgress::report(const std::string& fileName, int32_t percent, int32_t framesWritten) {
    start();
    uint32_t now = Sys_Milliseconds();
    if (fileName != currentFile) {
        finishLine();
        currentFile = fileName;
        fileStartMs = now;
        lastLineMs = now - logIntervalMs; // the first frame of a file always shows
        lastPercent = 0;
    }
    for (const RenderPart& part : plan)
        if (part.fileName == fileName && part.rangeFrames > 0 && percent >= 0)
            percent = int32_t(std::min<int64_t>(100, int64_t(framesWritten) * 100 / part.rangeFrames));
    if (percent >= 0) lastPercent = percent;

    const int32_t whole = wholePercent(fileName, framesWritten);
    if (window) {
        if (percent >= 0) window->setPercent(percent);
        if (whole >= 0) window->setWholePercent(whole);
        if (window->pump()) handleCancel();
    }

    uint32_t interval = toTerminal ? terminalIntervalMs : logIntervalMs;
    if (now - lastLineMs < interval) return;
    lastLineMs = now;
    double seconds = double(now - fileStartMs) / 1000.0;
    double rate = seconds > 0 ? framesWritten / seconds : 0.0;
    double left = secondsLeftAt(lastPercent / 100.0, seconds);
    double wholeLeft =
        renderStarted ? secondsLeftAt(whole / 100.0, double(now - renderStartMs) / 1000.0) : -1.0;
    std::string line = formatLine(fileName, lastPercent, rate, left, whole, wholeLeft);
    if (toTerminal)
        std::fprintf(stderr, "\r%s\033[K", line.c_str());
    else
        std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    lineOpen = toTerminal;
}

void RenderProgress::finishLine() {
    if (lineOpen) std::fputc('\n', stderr);
    lineOpen = false;
    currentFile.clear();
}

void RenderProgress::handleCancel() {
    if (confirmCancel && !confirmCancel()) return;
    cancelled = true;
    window.reset();
    closed = true;
    Sys_RequestQuit();
}
