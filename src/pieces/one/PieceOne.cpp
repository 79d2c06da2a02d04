// Piece one's entry points and its three frame loops: the opening slide-in to the opening
// stream, the 115-second main part to the module, and the closing with its glitch bursts to the
// closing stream. In video mode every frame goes to the part's video file.
#include "pieces/one/PieceOne.h"

#include "pieces/common/PieceContext.h"

#include "animation/SceneManager.h"
#include "media/SoundSystem.h"
#include "media/VideoClip.h"
#include "pieces/one/PartClock.h"
#include "pieces/one/PieceClip.h"
#include "pieces/one/PieceOneScene.h"
#include "pieces/one/PieceOneVideo.h"
#include "pieces/one/PixelStore.h"
#include "platform/DisplayDevice.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/FileServer.h"
#include "resources/Servers.h"
#include "shell/ShowState.h"

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

struct PieceState {
    DisplayDevice* device = nullptr;
    FrameBuffer* frameBuffer = nullptr;
    SoundHandle openingStream = 0;
    SoundHandle closingStream = 0;
    SoundHandle musicModule = 0;
    std::vector<const uint8_t*> soundBytes; // stay with their channels for the rest of the run
    std::unique_ptr<PieceClip> pieceClip;
    bool videoMode = false;
    int32_t framesPerSecond = 25;
    // Never destroyed: its triggers stay registered with the scene manager for the whole run
    // (a second load keeps the first scene alive in `earlierScenes`).
    PieceOneScene* scene = nullptr;
    std::vector<PieceOneScene*> earlierScenes;
};

PieceState& state() {
    static PieceState* pieceState = new PieceState();
    return *pieceState;
}

// A sound from the archive; the bytes stay with the channel for the rest of the run.
SoundHandle loadSound(const char* name, bool module) {
    FileServer* files = getFileServer();
    int32_t size = files->getFileSize(name);
    const uint8_t* data = files->getFile(name);
    state().soundBytes.push_back(data);
    SoundSystem& sound = SoundSystem::instance();
    SoundHandle handle = module ? sound.loadModule(data, size) : sound.createStream(data, size);
    if (handle == 0) throw 1;
    return handle;
}

// One part's frame loop: runs until the device or the viewer asks to close, or the show clock
// reaches endMs. Each frame: advance the clock, draw, present, and write it in video mode.
template <typename Draw> void playFrames(PartClock& clock, int part, int32_t endMs, float partUnits, Draw draw) {
    PieceState& piece = state();
    Timer& timer = Timer::instance();
    while (!piece.device->isCloseRequested() && timer.getElapsedMs() < endMs && !Show::isQuitRequested()) {
        clock.advance();
        draw();
        piece.device->present();
        if (piece.videoMode) {
            int32_t percent = clock.frameWritten(partUnits);
            // A frame that cannot be written ends the rendering; what was written is kept.
            if (!PieceOneVideo::writeFrame(part, piece.frameBuffer, percent)) Show::requestQuit();
        }
    }
}

// Starts a part: clock stopped at 0, the part's writer attached to its sound, the sound playing,
// then the clock started with it.
void startPart(PartClock& clock, int part, SoundHandle channel, bool resetTime) {
    PieceState& piece = state();
    Timer& timer = Timer::instance();
    clock.beginPart();
    if (resetTime) {
        timer.setTime(0);
        PixelStore::of(piece.frameBuffer).clear();
    }
    timer.stop();
    if (piece.videoMode) PieceOneVideo::beginPart(part, channel);
    SoundSystem& sound = SoundSystem::instance();
    if (part == PieceOneVideo::main) {
        if (!sound.playModule(channel)) throw 2;
    } else if (!sound.playStream(channel)) {
        throw 3;
    }
    timer.start();
}

void finishPart(int part) {
    if (state().videoMode) PieceOneVideo::endPart(part);
}

} // namespace

namespace PieceOne {

void load(const PieceContext& context) {
    DisplayDevice* device = context.device;
    FrameBuffer* frameBuffer = context.frameBuffer;
    PieceState& piece = state();
    SoundSystem& sound = SoundSystem::instance();
    // Rendering to video has no real-time device: the writers pull the sound frame by frame.
    if (!sound.isInitialised() && !sound.initialise(Show::videoMode ? SoundOutput::Offline : SoundOutput::Live))
        throw 0;
    piece.openingStream = loadSound("data/videoclip1.mpg", false);
    piece.closingStream = loadSound("data/broken.end", false);
    piece.musicModule = loadSound("data/broken", true);
    sound.start();
    piece.device = device;
    piece.frameBuffer = frameBuffer;
    piece.framesPerSecond = Show::framesPerSecond;
    if (piece.scene) piece.earlierScenes.push_back(piece.scene);
    piece.scene = new PieceOneScene(frameBuffer, SceneManager::instance());
    piece.pieceClip = std::make_unique<DecodedPieceClip>(
        std::make_unique<VideoClip>(tempClipPath("hxaaayqrvpj6duhqmbg3.avi"), 3200, 29, true));
    piece.scene->setClip(piece.pieceClip.get());
}

void setup(const PieceContext& context) {
    DisplayDevice* device = context.device;
    FrameBuffer* frameBuffer = context.frameBuffer;
    const bool videoMode = context.videoMode;
    void* instanceHandle = nullptr;
    PieceState& piece = state();
    if (!piece.scene) return; // never loaded
    piece.videoMode = videoMode;
    if (videoMode) PieceOneVideo::setup(piece.device, instanceHandle);
    piece.scene->buildClipTime();
    piece.device = device;
    piece.frameBuffer = frameBuffer;
    PixelStore::of(frameBuffer).clear();
    device->present();
}

void run(const PieceContext& context) {
    DisplayDevice* device = context.device;
    FrameBuffer* frameBuffer = context.frameBuffer;
    PieceState& piece = state();
    if (!piece.scene) return; // never loaded
    piece.device = device;
    piece.frameBuffer = frameBuffer;
    PieceOneScene& scene = *piece.scene;
    PartClock clock(piece.videoMode, piece.framesPerSecond);

    startPart(clock, PieceOneVideo::opening, piece.openingStream, true);
    playFrames(clock, PieceOneVideo::opening, openingEndMs, openingUnits, [&] { scene.drawOpeningFrame(); });
    finishPart(PieceOneVideo::opening);

    startPart(clock, PieceOneVideo::main, piece.musicModule, false);
    playFrames(clock, PieceOneVideo::main, mainEndMs, mainUnits, [&] { scene.drawMainFrame(); });
    finishPart(PieceOneVideo::main);

    startPart(clock, PieceOneVideo::closing, piece.closingStream, true);
    playFrames(clock, PieceOneVideo::closing, closingGlitchEndMs, closingUnits, [&] { scene.drawClosingFrame(); });
    playFrames(clock, PieceOneVideo::closing, closingEndMs, closingUnits, [&] { scene.drawClosingTailFrame(); });
    finishPart(PieceOneVideo::closing);
}

void stop() {
    PieceState& piece = state();
    SoundSystem& sound = SoundSystem::instance();
    // Channels that were never loaded have nothing to stop.
    for (SoundHandle channel : {piece.musicModule, piece.openingStream, piece.closingStream})
        if (channel != 0 && !sound.stop(channel)) throw 2;
}

void release() {
    PieceState& piece = state();
    if (piece.videoMode) PieceOneVideo::release();
    if (piece.scene) piece.scene->setClip(nullptr);
    piece.pieceClip.reset();
}

Sounds getSounds() {
    PieceState& piece = state();
    return {piece.openingStream, piece.musicModule, piece.closingStream};
}

PieceOneScene* getScene() { return state().scene; }

} // namespace PieceOne
