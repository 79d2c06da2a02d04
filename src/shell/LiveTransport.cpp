// Pause, seek and the readout of a live show.
#include "shell/LiveTransport.h"

#include "media/sound/SoundSystem.h"
#include "pieces/common/ShowParts.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/QuitRequest.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "platform/text/BitmapFont.h"
#include "shell/ShowTime.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr int64_t seekStepUs = 10000000;
constexpr uint32_t readoutShownMs = 2000;

void logLine(const std::string& text) {
    const char* wanted = std::getenv("TRIPTYCH_LOG_PIECES");
    if (wanted && *wanted && std::strcmp(wanted, "0") != 0) std::fprintf(stderr, "triptych: %s\n", text.c_str());
}

std::string pieceName(int part) { return "piece " + std::to_string(showParts[part].piece + 1); }

// The readout's box, drawn into the frame buffer's top-left corner: the part's title and the
// show time against the whole show's.
void drawReadout(FrameBuffer& frame, const std::string& text) {
    uint32_t* pixels = frame.getPixels32();
    if (!pixels || frame.getBitsPerPixel() != 32) return;
    const int width = frame.getWidth(), height = frame.getHeight();
    constexpr int scale = 2, margin = 6;
    const int boxWidth = std::min(width, BitmapFont::measure(text, scale) + 2 * margin);
    const int boxHeight = std::min(height, BitmapFont::cellHeight * scale + 2 * margin);
    for (int y = 8; y < std::min(height, 8 + boxHeight); ++y)
        for (int x = 8; x < std::min(width, 8 + boxWidth); ++x)
            pixels[size_t(y) * size_t(width) + size_t(x)] = 0x00101010u;
    BitmapFont::draw(pixels, width, width, height, 8 + margin, 8 + margin, text, 0x00f0f0f0u, scale);
}
} // namespace

LiveTransport::LiveTransport(Timer& clock_, SoundSystem& sound_, const Range& range_)
    : clock(clock_), sound(sound_), range(range_) {}

std::optional<int64_t> LiveTransport::takeSeek() {
    auto target = seekTarget;
    seekTarget.reset();
    return target;
}

bool LiveTransport::takeSeekKeys(const std::vector<int>& steps, int64_t showUs) {
    int64_t delta = 0;
    for (int step : steps) delta += step * seekStepUs;
    if (steps.empty()) return false;
    seekTarget = moveWithinRange(timeline, range.chosen, range.fromUs, range.toUs, showUs, delta, range.loop);
    return true;
}

bool LiveTransport::afterFrame(DisplayDevice& device, int part, int32_t partMs) {
    const int64_t showUs = timeline.startUs[size_t(part)] + int64_t(partMs) * 1000;
    if (landing) {
        landing = false;
        logLine(pieceName(part) + " at " + ShowTime::format(showUs));
        readoutUntilMs = Sys_Milliseconds() + readoutShownMs;
        if (pausedAtSeek) {
            pausedAtSeek = false;
            pause(device, part, showUs);
            if (seekTarget) return true;
        }
    }
    std::vector<int> steps;
    for (DisplayInput::ShowKey key : DisplayInput::takeKeys()) {
        if (key == DisplayInput::ShowKey::pause && steps.empty()) {
            pause(device, part, showUs);
            if (seekTarget) return true;
        } else if (key != DisplayInput::ShowKey::pause) {
            steps.push_back(key == DisplayInput::ShowKey::forward ? 1 : -1);
        }
    }
    if (takeSeekKeys(steps, showUs)) return true;
    if (int32_t(Sys_Milliseconds() - readoutUntilMs) < 0) showReadout(device, part, showUs);
    return false;
}

void LiveTransport::pause(DisplayDevice& device, int part, int64_t showUs) {
    logLine(pieceName(part) + " paused");
    const int32_t heldMs = clock.getElapsedMs();
    sound.setPaused(true);
    bool resumed = false;
    while (!resumed && !Sys_IsQuitRequested() && !device.isCloseRequested()) {
        showReadout(device, part, showUs); // also takes the window's events
        std::vector<int> steps;
        for (DisplayInput::ShowKey key : DisplayInput::takeKeys()) {
            if (key == DisplayInput::ShowKey::pause)
                resumed = true;
            else
                steps.push_back(key == DisplayInput::ShowKey::forward ? 1 : -1);
        }
        if (!resumed && takeSeekKeys(steps, showUs)) {
            pausedAtSeek = true; // the show stays paused at the time sought
            return;
        }
        Sys_Sleep(15);
    }
    logLine(pieceName(part) + " resumed");
    clock.setTimeMs(heldMs); // the clock carries on from where it stopped
    sound.setPaused(false);
}

void LiveTransport::showReadout(DisplayDevice& device, int part, int64_t showUs) {
    FrameBuffer* frame = device.getFrameBuffer();
    if (!frame || !frame->getPixels()) {
        device.present();
        return;
    }
    // The piece's picture is kept as it is: the readout goes on, is shown, and comes off again.
    const size_t count = size_t(frame->getWidth()) * size_t(frame->getHeight());
    uint32_t* pixels = frame->getPixels32();
    heldPixels.assign(pixels, pixels + count);
    drawReadout(*frame, std::string(showParts[part].title) + "  " + ShowTime::format(showUs) + " / " +
                            ShowTime::format(timeline.endUs()));
    device.present();
    std::copy(heldPixels.begin(), heldPixels.end(), pixels);
}
