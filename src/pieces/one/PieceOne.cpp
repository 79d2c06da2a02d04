// Piece one's entry points and its three frame loops: the opening slide-in to the opening
// stream, the 115-second main part to the module, and the closing with its glitch bursts to the
// closing stream. In video mode every frame goes to the part's video file.
#include "pieces/one/PieceOne.h"

#include "pieces/common/PieceContext.h"

#include "animation/SceneManager.h"
#include "media/clips/VideoClip.h"
#include "media/sound/SoundEntries.h"
#include "pieces/one/PartClock.h"
#include "pieces/one/PieceClip.h"
#include "pieces/one/PieceOneScene.h"
#include "pieces/one/PieceOneVideo.h"
#include "pieces/one/PixelStore.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"

#include <memory>
#include <vector>

namespace {

constexpr int32_t openingEndMs = 4028;
constexpr int32_t mainEndMs = 115000;
constexpr int32_t closingGlitchEndMs = 14000;
constexpr int32_t closingEndMs = 15500;
// Part lengths in clock units (71 per second), for the render progress.
constexpr float openingUnits = 303.88f;
constexpr float mainUnits = 8165.0f;
constexpr float closingUnits = 1100.5f;

constexpr const char* openingEntry = "data/videoclip1.mpg";
constexpr const char* closingEntry = "data/broken.end";
constexpr const char* moduleEntry = "data/broken";

struct PieceState {
    // The display pair, the render settings and the quit request, from the shell.
    PieceContext context;
    SoundHandle openingStream = 0;
    SoundHandle closingStream = 0;
    SoundHandle musicModule = 0;
    std::unique_ptr<PieceClip> pieceClip;
    // Never destroyed: its triggers stay registered with the scene manager for the whole run
    // (a second load keeps the first scene alive in `earlierScenes`).
    PieceOneScene* scene = nullptr;
    std::vector<PieceOneScene*> earlierScenes;
};

PieceState& state() {
    static PieceState* pieceState = new PieceState();
    return *pieceState;
}

// One part's frame loop: runs until the device or the viewer asks to close, or the show clock
// reaches endMs. Each frame: advance the clock, draw, present, and write it in video mode.
template <typename Draw>
void playFrames(PartClock& clock, int part, int32_t endMs, float partUnits, Draw draw) {
    const PieceContext& context = state().context;
    Timer& timer = Timer::instance();
    while (!context.device->isCloseRequested() && timer.getElapsedMs() < endMs &&
           !context.isQuitRequested()) {
        clock.advance();
        draw();
        context.device->present();
        if (context.videoMode) {
            int32_t percent = clock.frameWritten(partUnits);
            // A frame buffer without pixels ends the rendering; what was written is kept.
            if (!context.frameBuffer || !context.frameBuffer->getPixels())
                context.requestQuit();
            else
                PieceOneVideo::writeFrame(part, percent);
        }
    }
}

// Starts a part: clock stopped at 0, the part's writer attached to its sound, the sound playing,
// then the clock started with it.
void startPart(PartClock& clock, int part, SoundHandle channel, const char* entryName, bool resetTime) {
    const PieceContext& context = state().context;
    Timer& timer = Timer::instance();
    clock.beginPart();
    if (resetTime) {
        timer.setTime(0);
        PixelStore::of(context.frameBuffer).clear();
    }
    timer.stop();
    if (context.videoMode) PieceOneVideo::beginPart(part, context.frameBuffer, channel);
    if (part == PieceOneVideo::main)
        playModuleEntry(channel, entryName);
    else
        playStreamEntry(channel, entryName);
    timer.start();
}

void finishPart(int part) {
    if (state().context.videoMode) PieceOneVideo::endPart(part);
}

} // namespace

namespace PieceOne {

void load(const PieceContext& context) {
    PieceState& piece = state();
    // Rendering to video has no real-time device: the writers pull the sound frame by frame.
    openPieceSoundOutput(context.videoMode);
    piece.openingStream = createStreamFromEntry(openingEntry);
    piece.closingStream = createStreamFromEntry(closingEntry);
    piece.musicModule = loadModuleFromEntry(moduleEntry);
    piece.context = context;
    if (piece.scene) piece.earlierScenes.push_back(piece.scene);
    piece.scene = new PieceOneScene(context.frameBuffer, SceneManager::instance());
    const ShowClip& clip = showClips[solidsClip];
    piece.pieceClip = std::make_unique<DecodedPieceClip>(
        std::make_unique<VideoClip>(tempClipPath(clip.fileName), clip.lengthMs, clip.framesPerSecond, true));
    piece.scene->setClip(piece.pieceClip.get());
}

void setup(const PieceContext& context) {
    PieceState& piece = state();
    if (!piece.scene) return; // never loaded
    piece.context = context;
    if (context.videoMode) PieceOneVideo::setup(context);
    piece.scene->buildClipTime();
    PixelStore::of(context.frameBuffer).clear();
    context.device->present();
}

void run(const PieceContext& context) {
    PieceState& piece = state();
    if (!piece.scene) return; // never loaded
    piece.context = context;
    PieceOneScene& scene = *piece.scene;
    PartClock clock(context.videoMode, context.framesPerSecond);

    startPart(clock, PieceOneVideo::opening, piece.openingStream, openingEntry, true);
    playFrames(clock, PieceOneVideo::opening, openingEndMs, openingUnits, [&] { scene.drawOpeningFrame(); });
    finishPart(PieceOneVideo::opening);

    startPart(clock, PieceOneVideo::main, piece.musicModule, moduleEntry, false);
    playFrames(clock, PieceOneVideo::main, mainEndMs, mainUnits, [&] { scene.drawMainFrame(); });
    finishPart(PieceOneVideo::main);

    startPart(clock, PieceOneVideo::closing, piece.closingStream, closingEntry, true);
    playFrames(clock, PieceOneVideo::closing, closingGlitchEndMs, closingUnits,
               [&] { scene.drawClosingFrame(); });
    playFrames(clock, PieceOneVideo::closing, closingEndMs, closingUnits,
               [&] { scene.drawClosingTailFrame(); });
    finishPart(PieceOneVideo::closing);
}

void stop() {
    PieceState& piece = state();
    // Channels that were never loaded have nothing to stop.
    stopSoundEntry(piece.musicModule, moduleEntry);
    stopSoundEntry(piece.openingStream, openingEntry);
    stopSoundEntry(piece.closingStream, closingEntry);
}

void release() {
    PieceState& piece = state();
    if (piece.context.videoMode) PieceOneVideo::release();
    if (piece.scene) piece.scene->setClip(nullptr);
    piece.pieceClip.reset();
}

Sounds getSounds() {
    PieceState& piece = state();
    return {piece.openingStream, piece.musicModule, piece.closingStream};
}

PieceOneScene* getScene() { return state().scene; }

} // namespace PieceOne
