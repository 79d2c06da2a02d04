// Piece one's entry points and its three frame loops: the opening slide-in to the opening
// stream, the 115-second main part to the module, and the closing with its glitch bursts to the
// closing stream. In video mode every frame goes to the part's video file.
#include "pieces/one/PieceOne.h"

#include "media/clips/VideoClip.h"
#include "media/sound/SoundEntries.h"
#include "pieces/common/LiveClock.h"
#include "pieces/common/LiveControl.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/ShowParts.h"
#include "pieces/one/PartClock.h"
#include "pieces/one/PieceClip.h"
#include "pieces/one/PieceOneScene.h"
#include "pieces/one/PixelStore.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"

#include <optional>

namespace {

constexpr int32_t closingGlitchEndMs = 14000;
// Part lengths in clock units (71 per second), for the render progress.
constexpr float openingUnits = 303.88f;
constexpr float mainUnits = 8165.0f;
constexpr float closingUnits = 1100.5f;

constexpr const char* openingEntry = "data/videoclip1.mpg";
constexpr const char* closingEntry = "data/broken.end";
constexpr const char* moduleEntry = "data/broken";

// The show part of piece one's part (opening, main, closing).
int showPartOf(int part) { return openingPart + part; }

} // namespace

// The frame loops of one run: the clock of the parts, the context's device and files.
class PieceOne::PartLoop {
public:
    PartLoop(PieceOne& piece, const PieceContext& context)
        : piece(piece), context(context), clock(*context.clock),
          partClock(*context.clock, context.videoMode, context.framesPerSecond) {}

    // Starts a part: clock stopped at 0, the part's file attached to its sound, the sound
    // playing, then the clock started with it. A part the viewer stopped before it began still
    // starts its sound, but gets no file.
    void startPart(int part, uint32_t channel, const char* entryName, bool resetTime) {
        partClock.beginPart();
        live.reset();
        if (resetTime) {
            clock.setTime(0);
            PixelStore::of(context.frameBuffer).clear();
        }
        clock.stop();
        if (context.videoMode && context.plan[size_t(part)].write && !isStopped())
            piece.video.beginPart(part, context.frameBuffer, channel);
        if (part == PieceOneVideo::main)
            piece.sounds->playModule(channel, entryName);
        else
            piece.sounds->playStream(channel, entryName);
        clock.start();
        if (!context.videoMode) live.emplace(clock, piece.sounds->getSound(), channel, context.plan[size_t(part)], 0);
    }

    // Whether the viewer or the device asked the run to end.
    bool isStopped() const { return context.device->isCloseRequested() || context.isQuitRequested(); }

    // One part's frames: until the device or the viewer asks to close, or the show clock
    // reaches endMs. Each frame: advance the clock, draw, present, and write it in video mode.
    // Frames before the plan's first shown one are only computed (a burst of the closing that
    // reaches the first shown frame is drawn all the same); false when the plan ends the run
    // in this part.
    template <typename Draw> bool playFrames(int part, int32_t endMs, float partUnits, Draw draw) {
        const PartPlan& plan = context.plan[size_t(part)];
        const int32_t targetMs =
            context.videoMode ? PartClock::frameMs(context.framesPerSecond, plan.firstFrame) : plan.startMs;
        while (!isStopped() && clock.getElapsedMs() < endMs) {
            const int64_t index = partClock.getFrameIndex();
            if (context.videoMode && index >= plan.endFrame) return false;
            if (live)
                live->advance();
            else
                partClock.advance();
            const int32_t now = clock.getElapsedMs();
            if (live && live->ended()) return false;
            const bool shown = context.videoMode ? plan.showsFrame(index) : live->showing();
            const bool burstOnTheWay =
                part == PieceOneVideo::closing && targetMs - now <= PieceOneScene::longestBurstMs;
            draw(now, shown || burstOnTheWay);
            if (shown) context.device->present();
            if (context.videoMode) {
                int32_t percent = partClock.frameWritten(partUnits);
                // A frame buffer without pixels ends the rendering; what was written is kept.
                if (!context.frameBuffer || !context.frameBuffer->getPixels())
                    context.requestQuit();
                else if (shown)
                    piece.video.writeFrame(part, percent);
                else if (plan.write)
                    piece.video.skipFrame(part);
            } else if (shown && context.live && context.live->afterFrame(*context.device, showPartOf(part), now)) {
                return false;
            }
        }
        return true;
    }

    void finishPart(int part) {
        if (context.videoMode) piece.video.endPart(part);
    }

    Timer& getClock() { return clock; }

private:
    PieceOne& piece;
    const PieceContext& context;
    Timer& clock;
    PartClock partClock;
    std::optional<LiveClock> live; // live runs: the part's clock
};

PieceOne::PieceOne() = default;
PieceOne::~PieceOne() = default;

void PieceOne::load(const PieceContext& context) {
    sounds = std::make_unique<SoundEntries>(*context.sound, *context.files);
    // Rendering to video has no real-time device: the writers pull the sound frame by frame.
    sounds->openOutput(context.videoMode);
    openingStream = sounds->createStream(openingEntry);
    closingStream = sounds->createStream(closingEntry);
    musicModule = sounds->loadModule(moduleEntry);
    flickerDraws = drawFlickerEnvelopes();
    const ShowClip& solids = showClips[solidsClip];
    clip = std::make_unique<DecodedPieceClip>(std::make_unique<VideoClip>(
        tempClipPath(solids.fileName), solids.lengthMs, solids.framesPerSecond, true));
}

void PieceOne::setup(const PieceContext& context) {
    if (!clip) return; // never loaded
    videoMode = context.videoMode;
    if (context.videoMode) video.setup(context);
    scene.reset(); // its triggers leave the scene manager before the new ones come
    scene = std::make_unique<PieceOneScene>(context.frameBuffer, *context.scenes, flickerDraws);
    scene->setClip(clip.get());
    scene->buildClipTime();
    PixelStore::of(context.frameBuffer).clear();
    context.device->present();
}

void PieceOne::run(const PieceContext& context) {
    if (!scene) return; // never set up
    PieceOneScene& frames = *scene;
    PartLoop loop(*this, context);
    Timer& clock = loop.getClock();
    const int32_t openingEndMs = showParts[openingPart].lengthMs;
    const int32_t mainEndMs = showParts[mainPart].lengthMs;
    const int32_t closingEndMs = showParts[closingPart].lengthMs;

    const PiecePlan& plan = context.plan;
    if (!plan[PieceOneVideo::opening].play) return;
    loop.startPart(PieceOneVideo::opening, openingStream, openingEntry, true);
    bool goOn = loop.playFrames(PieceOneVideo::opening, openingEndMs, openingUnits, [&](int32_t now, bool pixels) {
        frames.drawOpeningFrame(now, clock.getTime(), pixels);
    });
    loop.finishPart(PieceOneVideo::opening);
    if (!goOn || !plan[PieceOneVideo::main].play) return;

    loop.startPart(PieceOneVideo::main, musicModule, moduleEntry, false);
    goOn = loop.playFrames(PieceOneVideo::main, mainEndMs, mainUnits,
                           [&](int32_t now, bool pixels) { frames.drawMainFrame(now, pixels); });
    loop.finishPart(PieceOneVideo::main);
    if (!goOn || !plan[PieceOneVideo::closing].play) return;

    loop.startPart(PieceOneVideo::closing, closingStream, closingEntry, true);
    goOn = loop.playFrames(PieceOneVideo::closing, closingGlitchEndMs, closingUnits,
                           [&](int32_t now, bool pixels) { frames.drawClosingFrame(now, pixels); });
    if (goOn)
        loop.playFrames(PieceOneVideo::closing, closingEndMs, closingUnits,
                        [&](int32_t now, bool pixels) { frames.drawClosingTailFrame(now, pixels); });
    loop.finishPart(PieceOneVideo::closing);
}

void PieceOne::stop() {
    if (!sounds) return; // never loaded: nothing to stop
    sounds->stop(musicModule, moduleEntry);
    sounds->stop(openingStream, openingEntry);
    sounds->stop(closingStream, closingEntry);
}

void PieceOne::release() {
    video.release();
    if (scene) scene->setClip(nullptr);
    clip.reset();
}

PieceOne::Sounds PieceOne::getSounds() const {
    return {openingStream, musicModule, closingStream};
}

std::vector<int64_t> PieceOne::renderedFrames(int32_t framesPerSecond) const {
    std::vector<int64_t> frames;
    for (ShowPartIndex part : {openingPart, mainPart, closingPart})
        frames.push_back(PartClock::renderedFrames(framesPerSecond, showParts[part].lengthMs));
    return frames;
}
