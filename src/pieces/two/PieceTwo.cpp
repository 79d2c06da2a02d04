// Piece two's entry points and frame loop: two clips cut and cross-faded to "data/col4.mp3" for
// up to 150 seconds on a doubled 640x240 frame buffer, and in video mode each frame written to
// "piece_2.avi" with its sound.
#include "pieces/two/PieceTwo.h"

#include "animation/SceneManager.h"
#include "media/clips/ClipLibrary.h"
#include "media/clips/ProductTable.h"
#include "media/masters/RenderWriter.h"
#include "media/sound/SoundEntries.h"
#include "pieces/common/PieceContext.h"
#include "pieces/two/ClipMixer.h"
#include "pieces/two/CutDirector.h"
#include "pieces/two/FilterTracks.h"
#include "pieces/two/Filters.h"
#include "pieces/two/FrameClock.h"
#include "pieces/two/PieceTwoTimeline.h"
#include "pieces/two/RollTrack.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"

#include <memory>

namespace {

constexpr const char* musicEntry = "data/col4.mp3";
constexpr const char* videoFileName = "piece_2.avi";
constexpr int32_t pictureWidth = 640;
constexpr int32_t pictureLines = 240; // each on every second line of the 640x480 store
constexpr int32_t clipTop = 40;       // the clips and the smear start this many lines down
constexpr int32_t lastFrameMs = 150000;
constexpr uint32_t framePeriodMs = 14; // live frames take at least this long (about 71 per second)

struct PieceState {
    bool loaded = false;
    bool videoMode = false;
    // The store lines between the picture lines are zeroed when the store is made and never
    // written, so they show black.
    std::unique_ptr<FrameBuffer> frameBuffer;
    SoundHandle music = 0;
    std::unique_ptr<RenderWriter> writer;
    std::unique_ptr<FrameClock> frameClock;
    FilterTracks tracks;
    CutDirector director;
    ClipMixer mixer;
    PieceTwoFilters filters{tracks};
    PieceTwoTimeline timeline{mixer, filters};
};

PieceState& state() {
    static PieceState* pieceState = new PieceState(); // kept for the whole process
    return *pieceState;
}

bool shouldQuit(const PieceContext& context) {
    return (context.isQuitRequested && context.isQuitRequested()) ||
           (context.device && context.device->isCloseRequested());
}

// Live pacing: rests until the frame has taken framePeriodMs, instead of spinning a core.
void waitForFramePeriod(uint32_t frameStart) {
    for (uint32_t spent = Sys_Milliseconds() - frameStart; spent < framePeriodMs;
         spent = Sys_Milliseconds() - frameStart)
        Sys_Sleep(framePeriodMs - spent);
}

} // namespace

namespace PieceTwo {

void load(const PieceContext& context) {
    PieceState& piece = state();
    if (piece.loaded) return;
    openPieceSoundOutput(context.videoMode);
    piece.frameBuffer = std::make_unique<FrameBuffer>(pictureWidth, pictureLines, true);
    const ShowClip& flight = showClips[flightClip];
    const ShowClip& tunnel = showClips[tunnelClip];
    const std::string clipOne = tempClipPath(flight.fileName);
    const std::string clipTwo = tempClipPath(tunnel.fileName);
    ClipLibrary::instance().addClips({{clipOne, flight.lengthMs}, {clipTwo, tunnel.lengthMs}});
    piece.mixer.setClipNames(clipOne, clipTwo);
    piece.music = createStreamFromEntry(musicEntry);
    buildSmearTracks(piece.tracks);
    buildFilterTracks(piece.tracks);
    productTable(); // the cross-fade's table and the roll are ready before the first frame
    rollTrack();
    piece.loaded = true;
}

void setup(const PieceContext& context) {
    PieceState& piece = state();
    if (!piece.loaded) return;
    piece.videoMode = context.videoMode;
    piece.filters.setSeed(context.seed);
    FrameBuffer* frameBuffer = piece.frameBuffer.get();
    if (context.device) context.device->setFrameBuffer(frameBuffer);
    ClipLibrary::instance().setTarget(frameBuffer);
    if (piece.videoMode) {
        if (context.device) context.device->open(); // presents work, nothing is shown
        piece.writer = std::make_unique<RenderWriter>(RenderFileFormat{
            videoFileName, pictureWidth, 2 * pictureLines, context.framesPerSecond, context.codecName, true});
        // The capture hooks onto the channel before it plays, so no sound is missed.
        piece.writer->attach(frameBuffer, piece.music);
        piece.frameClock = std::make_unique<FrameClock>(context.framesPerSecond);
    }
    playStreamEntry(piece.music, musicEntry);
    Timer::instance().start();
}

void run(const PieceContext& context) {
    PieceState& piece = state();
    if (!piece.loaded) return;
    FrameBuffer* frameBuffer = piece.frameBuffer.get();
    Timer& clock = Timer::instance();
    for (int32_t t = clock.getElapsedMs(); t < lastFrameMs && !shouldQuit(context);
         t = clock.getElapsedMs()) {
        const uint32_t frameStart = Sys_Milliseconds();
        if (piece.videoMode)
            clock.setTime(piece.frameClock->nextFrameUnits());
        else
            clock.update();
        SceneManager::instance().update();
        frameBuffer->setTop(clipTop);
        piece.director.advance(CutDirector::listPosition, CutDirector::listClip); // only once a fade ran out
        if (piece.timeline.gate(piece.director, frameBuffer) == -1) break;
        frameBuffer->setTop(0);
        if (context.device) context.device->present();
        if (piece.videoMode) {
            const int32_t percent = piece.frameClock->frameCaptured();
            piece.writer->writeFrame(percent);
            clock.setTime(piece.frameClock->nextFrameUnits());
        } else {
            waitForFramePeriod(frameStart);
        }
    }
}

void stop() {
    stopSoundEntry(state().music, musicEntry);
}

void release() {
    state().writer.reset(); // finishes piece_2.avi
    ClipLibrary::instance().clear();
}

uint32_t getMusic() {
    return state().music;
}

} // namespace PieceTwo
