// Piece three's entry points and frame loop: grey scanlines of the flight clip and fifteen
// dissolving photographs over 106 seconds of music, live or rendered to "piece_3.avi".
#include "pieces/three/PieceThree.h"

#include "animation/SceneManager.h"
#include "media/clips/ClipLibrary.h"
#include "media/clips/ProductTable.h"
#include "media/masters/RenderWriter.h"
#include "media/sound/SoundEntries.h"
#include "pieces/common/PieceContext.h"
#include "pieces/three/ClipScanlines.h"
#include "pieces/three/FrameTiming.h"
#include "pieces/three/NoiseFloor.h"
#include "pieces/three/PairSchedule.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/ShowFailure.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr const char* musicEntry = "data/videoclip2.mpg";
constexpr int32_t screenWidth = 640;
constexpr int32_t screenHeight = 480;

struct PieceState {
    DisplayDevice* device = nullptr;
    FrameBuffer* frameBuffer = nullptr;
    SoundHandle musicStream = 0;
    bool loaded = false;
    bool videoMode = false;
    float fpsFloat = 25.0f;
    std::unique_ptr<ClipScanlines> scanlines;
    std::vector<ImagePair> pairs;
    PairStarts starts{pairStartTimes};
    // Never destroyed: the trigger stays registered with the scene manager for the whole run
    // (a second load keeps the earlier one alive).
    NoiseFloor* noiseFloor = nullptr;
    std::vector<NoiseFloor*> earlierNoiseFloors;
    bool triggerRegistered = false;
    std::unique_ptr<RenderWriter> writer;
    int32_t capturedFrameCount = 0;
    float frameTimeUnits = 0.0f;
};

PieceState& state() {
    static PieceState* pieceState = new PieceState();
    return *pieceState;
}

std::string flightClipName() {
    return tempClipPath(showClips[flightClip].fileName);
}

// The fifteen pairs; a photograph used by several pairs is decoded once.
std::vector<ImagePair> buildPairs() {
    std::map<std::pair<std::string, std::string>, std::shared_ptr<const PairPictures>> decoded;
    std::vector<ImagePair> pairs;
    pairs.reserve(pairCount);
    for (const PairPlan& plan : pairPlans) {
        auto& pictures = decoded[{plan.photograph, plan.fadeMap}];
        if (!pictures) pictures = loadPairPictures(plan.photograph, plan.fadeMap);
        pairs.emplace_back(pictures, plan.centreX, plan.centreY, plan.reveal, plan.gain, screenWidth,
                           screenHeight);
    }
    return pairs;
}

void clearScreen(FrameBuffer* frameBuffer) {
    const size_t rowBytes = size_t(frameBuffer->getWidth()) * 4;
    uint8_t* row = frameBuffer->getPixels();
    for (int32_t y = 0; y < screenHeight; ++y, row += rowBytes)
        std::memset(row, 0, rowBytes);
}

void drawFrame(PieceState& piece) {
    const int32_t now = Timer::instance().getElapsedMs();
    clearScreen(piece.frameBuffer);
    piece.scanlines->draw(piece.frameBuffer, now, piece.noiseFloor->floorNow());
    uint32_t* screen = piece.frameBuffer->getPixels32();
    for (ImagePair& pair : piece.pairs)
        pair.draw(screen, piece.frameBuffer->getWidth(), now, piece.starts);
}

// Video mode, after each presented frame: the clock moves to the next frame's time and the
// frame goes to the file with its share of the music.
void captureFrame(PieceState& piece) {
    piece.frameTimeUnits = FrameTiming::frameTimeUnits(piece.fpsFloat, piece.capturedFrameCount);
    Timer::instance().setTime(int32_t(piece.frameTimeUnits));
    piece.writer->writeFrame(FrameTiming::progressPercent(piece.frameTimeUnits));
    ++piece.capturedFrameCount;
}

bool loopEnds(const PieceContext& context, PieceState& piece) {
    return piece.device->isCloseRequested() || context.isQuitRequested() ||
           Timer::instance().getElapsedMs() >= FrameTiming::pieceEndMs;
}

} // namespace

namespace PieceThree {

void load(const PieceContext& context) {
    PieceState& piece = state();
    piece.fpsFloat = float(context.framesPerSecond);
    piece.device = context.device;
    piece.frameBuffer = context.frameBuffer;
    openPieceSoundOutput(context.videoMode);
    piece.musicStream = createStreamFromEntry(musicEntry);
    // Piece two registers the flight clip when it loads; piece three must not depend on it.
    const std::string clipName = flightClipName();
    ClipLibrary& clips = ClipLibrary::instance();
    if (!clips.getClip(clipName)) clips.addClip(clipName, showClips[flightClip].lengthMs);
    piece.scanlines = std::make_unique<ClipScanlines>(clipName, buildRowTables(), scanlineCues);
    productTable();
    piece.pairs = buildPairs();
    piece.starts = PairStarts{pairStartTimes};
    if (piece.noiseFloor) piece.earlierNoiseFloors.push_back(piece.noiseFloor);
    piece.noiseFloor = new NoiseFloor();
    piece.triggerRegistered = false;
    piece.capturedFrameCount = 0;
    piece.frameTimeUnits = 0.0f;
    piece.loaded = true;
}

void setup(const PieceContext& context) {
    PieceState& piece = state();
    if (!piece.loaded) return;
    piece.videoMode = context.videoMode;
    piece.device = context.device;
    piece.frameBuffer = context.frameBuffer;
    FrameBuffer* frameBuffer = piece.frameBuffer;
    if (frameBuffer->getBitsPerPixel() != 32 || frameBuffer->getWidth() < screenWidth ||
        frameBuffer->getHeight() < screenHeight || frameBuffer->isDoubled())
        throw ShowFailure(1,
                          "couldn't set up piece three: it draws on a plain 640x480 frame buffer of 32 bits");
    if (piece.videoMode) {
        // The display stays open for the presents, with its window hidden: frames go to the file.
        piece.device->open();
        Sys_HideWindow(getWindowHandle());
    }
    piece.device->setFrameBuffer(frameBuffer);
    clearScreen(frameBuffer);
    piece.device->present();
    ClipLibrary::instance().setTarget(frameBuffer);
    if (piece.videoMode) {
        piece.writer = std::make_unique<RenderWriter>(RenderFileFormat{
            "piece_3.avi", screenWidth, screenHeight, context.framesPerSecond, context.codecName, true});
        // Attached before the music plays, so the capture has all of its sound.
        piece.writer->attach(frameBuffer, piece.musicStream);
        piece.capturedFrameCount = 0;
        piece.frameTimeUnits = 0.0f;
    }
    if (!piece.triggerRegistered) SceneManager::instance().add(&piece.noiseFloor->getTrigger());
    piece.triggerRegistered = true;
    Timer::instance().start();
    playStreamEntry(piece.musicStream, musicEntry);
}

void run(const PieceContext& context) {
    PieceState& piece = state();
    if (!piece.loaded) return;
    Timer& clock = Timer::instance();
    uint32_t previousPresent = Sys_Milliseconds();
    while (!loopEnds(context, piece)) {
        if (piece.videoMode)
            clock.setTime(int32_t(piece.frameTimeUnits));
        else
            clock.update();
        // Live, the clock has just moved on: a frame at the end of the piece is not drawn.
        if (clock.getElapsedMs() >= FrameTiming::pieceEndMs) break;
        SceneManager::instance().update();
        drawFrame(piece);
        piece.device->present();
        if (piece.videoMode && piece.writer) {
            captureFrame(piece);
        } else if (!piece.videoMode) {
            // Presenting paces the loop where it waits for the screen; where it does not, the
            // rest of a display refresh is slept so the loop does not spin. The animation
            // follows the show clock either way.
            const uint32_t now = Sys_Milliseconds();
            if (uint32_t rest = FrameTiming::pacingSleepMs(now - previousPresent)) Sys_Sleep(rest);
            previousPresent = Sys_Milliseconds();
        }
    }
}

void stop() {
    stopSoundEntry(state().musicStream, musicEntry);
}

void release() {
    PieceState& piece = state();
    ClipLibrary::instance().clear();
    piece.writer.reset(); // finishes the file
}

uint32_t getMusicStream() {
    return state().musicStream;
}

} // namespace PieceThree
