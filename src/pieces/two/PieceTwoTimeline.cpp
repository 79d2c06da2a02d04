// The switch times, loop windows and per-frame step of piece two's timeline.
#include "pieces/two/PieceTwoTimeline.h"

#include "media/clips/VideoClip.h"
#include "pieces/two/ClipMixer.h"
#include "pieces/two/CutDirector.h"
#include "pieces/two/Filters.h"
#include "platform/ShowRandom.h"

#include <cstring>

const int32_t PieceTwoTimeline::switchTimes[switchCount] = {
    764,      776,   3017,  3040,  4022,  4078,  4489,  4496,  5290,  5312,  5469,  5524,
    5977,     6032,  6267,  6275,  6309,  6332,  6388,  92197, 92287, 92325, 92368, 92395,
    92421,    92464, 92482, 92508, 92528, 92569, 92618, 92702, 92743, 92763, 92821,
    10000000, // never reached
};

const LoopWindow PieceTwoTimeline::loopWindows[windowCount] = {
    {9575, 10186, 220, 2.0f},    {13310, 13978, 233, 1.5f},   {25660, 26116, 200, 2.0f},
    {26128, 26615, 160, 1.5f},   {70298, 70780, 300, 1.0f},   {71662, 72418, 300, 1.0f},
    {107980, 108910, 359, 1.5f}, {108913, 109876, 197, 1.5f}, {109923, 110910, 150, 1.5f},
    {110921, 111885, 243, 1.5f}, {111890, 112930, 195, 1.5f},
};

namespace {
constexpr int32_t mirroredWindow = 3;
constexpr float forcedCutPosition = 0.7f;
} // namespace

void PieceTwoTimeline::followLoopWindows(CutDirector& director, int32_t now) {
    if (windowCursor >= windowCount) {
        director.endLoop();
        return;
    }
    const LoopWindow& window = loopWindows[windowCursor];
    if (now >= window.startMs && now <= window.endMs) {
        if (!windowApplied) {
            if (windowCursor == mirroredWindow) mirrorClips = true;
            director.beginLoop(window.loopLength, window.loopRate);
            windowApplied = true;
        }
    } else if (now > window.endMs) {
        mirrorClips = false;
        ++windowCursor;
        windowApplied = false;
        director.endLoop();
    }
}

void PieceTwoTimeline::drawBlack(FrameBuffer* frameBuffer, bool pixels) {
    const PictureLines picture = PictureLines::of(frameBuffer);
    for (int32_t y = 0; y < picture.lines && pixels; ++y)
        std::memset(picture.line(y), 0, size_t(picture.width) * 4);
    if (!bandDrawn) {
        band.above = ShowRandom::next() % 10;
        band.below = ShowRandom::next() % 10;
        band.centre = ShowRandom::next() % 180 + 20;
        bandDrawn = true;
    }
}

int32_t PieceTwoTimeline::step(int32_t now, CutDirector& director, FrameBuffer* frameBuffer, bool pixels) {
    const float dt = float(now) - lastFrameTime;
    followLoopWindows(director, now);
    if (switchCursor < switchCount && now >= switchTimes[switchCursor]) {
        director.advance(forcedCutPosition, CutDirector::listClip);
        clipsVisible = !clipsVisible;
        ++switchCursor;
    }
    if (clipsVisible) {
        bandDrawn = false;
        mixer.mixClips(now, director, dt, pixels);
        filters.applyFilters(now, frameBuffer, band, pixels);
    } else {
        drawBlack(frameBuffer, pixels);
    }
    lastFrameTime = float(now);
    return now > endMs ? 1 : 0;
}

int32_t PieceTwoTimeline::gate(int32_t nowMs, CutDirector& director, FrameBuffer* frameBuffer, bool pixels) {
    if (done != 0) {
        done = -1;
        return -1;
    }
    done = step(nowMs, director, frameBuffer, pixels);
    return done;
}
