// The render progress line and window.
#include "media/render/RenderProgress.h"

#include "media/render/ProgressWindow.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "platform/SystemClock.h"

#include <unistd.h>

#include <cstdio>

namespace {
// A terminal is rewritten in place a few times a second; a log gets a line a second.
constexpr uint32_t terminalIntervalMs = 250;
constexpr uint32_t logIntervalMs = 1000;
} // namespace

RenderProgress& RenderProgress::instance() {
    static RenderProgress progress;
    return progress;
}

RenderProgress::RenderProgress() : toTerminal(isatty(STDERR_FILENO) == 1) {}

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

std::string RenderProgress::formatLine(const std::string& fileName, int32_t percent, double framesPerSecond,
                                       double secondsLeft) {
    char text[256];
    if (secondsLeft < 0) {
        std::snprintf(text, sizeof text, "%s %4d%%  %7.1f frames/s", fileName.c_str(), int(percent),
                      framesPerSecond);
    } else {
        long left = long(secondsLeft + 0.5);
        std::snprintf(text, sizeof text, "%s %4d%%  %7.1f frames/s  %ld:%02ld left", fileName.c_str(),
                      int(percent), framesPerSecond, left / 60, left % 60);
    }
    return text;
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
    if (percent >= 0) lastPercent = percent;

    if (window) {
        if (percent >= 0) window->setPercent(percent);
        if (window->pump()) handleCancel();
    }

    uint32_t interval = toTerminal ? terminalIntervalMs : logIntervalMs;
    if (now - lastLineMs < interval) return;
    lastLineMs = now;
    double seconds = double(now - fileStartMs) / 1000.0;
    double rate = seconds > 0 ? framesWritten / seconds : 0.0;
    double left = (lastPercent > 0 && seconds > 0) ? seconds * (100 - lastPercent) / lastPercent : -1.0;
    std::string line = formatLine(fileName, lastPercent, rate, left);
    if (toTerminal) std::fprintf(stderr, "\r%s\033[K", line.c_str());
    else std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    lineOpen = toTerminal;
}

void RenderProgress::finishLine() {
    if (lineOpen) std::fputc('\n', stderr);
    lineOpen = false;
    currentFile.clear();
}

void RenderProgress::handleCancel() {
    MessageAnswer answer =
        Sys_MessageBox("Really?", "", MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No);
    if (answer != MessageAnswer::Yes) return;
    window.reset();
    closed = true;
    Sys_RequestQuit();
}
