// Piece two's entry points and frame loop: two clips cut and cross-faded to "data/col4.mp3" for
// up to 150 seconds on a doubled 640x240 frame buffer, and in video mode each frame written to
// "piece_2.avi" with its sound.
#include "pieces/two/PieceTwo.h"

#include "animation/SceneManager.h"
#include "media/clips/ClipLibrary.h"
#include "media/clips/ProductTable.h"
#include "media/masters/RenderOutput.h"
#include "media/masters/RenderWriter.h"
#include "media/sound/SoundEntries.h"
#include "pieces/common/LiveClock.h"
#include "pieces/common/LiveControl.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/ShowParts.h"
#include "pieces/two/ClipMixer.h"
#include "pieces/two/CutDirector.h"
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

namespace {

constexpr const char* musicEntry = "data/col4.mp3";
constexpr int32_t pictureWidth = 640;
constexpr int32_t pictureLines = 240; // each on every second line of the 640x480 store
constexpr int32_t clipTop = 40;       // the clips and the smear start this many lines down
constexpr int32_t lastFrameMs = 150000;
constexpr uint32_t framePeriodMs = 14; // live frames take at least this long (about 71 per second)

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

// Everything one run changes as it goes: made anew by every setup.
struct PieceTwo::Run {
    Run(ClipLibrary& clips, FilterTracks& tracks, const std::string (&clipNames)[2]) : mixer(clips), filters(tracks) {
        mixer.setClipNames(clipNames[0], clipNames[1]);
    }

    CutDirector director;
    ClipMixer mixer;
    PieceTwoFilters filters;
    PieceTwoTimeline timeline{mixer, filters};
    std::unique_ptr<FrameClock> frameClock;
    std::unique_ptr<RenderWriter> writer;
};

PieceTwo::PieceTwo() = default;
PieceTwo::~PieceTwo() = default;

void PieceTwo::load(const PieceContext& context) {
    if (loaded) return;
    sounds = std::make_unique<SoundEntries>(*context.sound, *context.files);
    sounds->openOutput(context.videoMode);
    clips = context.clips;
    frameBuffer = std::make_unique<FrameBuffer>(pictureWidth, pictureLines, true);
    const ShowClip& flight = showClips[flightClip];
    const ShowClip& tunnel = showClips[tunnelClip];
    clipNames[0] = tempClipPath(flight.fileName);
    clipNames[1] = tempClipPath(tunnel.fileName);
    clips->addClips({{clipNames[0], flight.lengthMs}, {clipNames[1], tunnel.lengthMs}});
    music = sounds->createStream(musicEntry);
    buildSmearTracks(tracks);
    buildFilterTracks(tracks);
    productTable(); // the cross-fade's table and the roll are ready before the first frame
    rollTrack();
    loaded = true;
}

void PieceTwo::setup(const PieceContext& context) {
    if (!loaded) return;
    current.reset();
    current = std::make_unique<Run>(*clips, tracks, clipNames);
    Run& run = *current;
    run.filters.setSeed(context.seed);
    if (context.device) context.device->setFrameBuffer(frameBuffer.get());
    clips->setTarget(frameBuffer.get());
    if (context.videoMode) {
        if (context.device) context.device->open(); // presents work, nothing is shown
        run.frameClock = std::make_unique<FrameClock>(context.framesPerSecond);
    }
    if (context.videoMode && context.plan[0].write) {
        run.writer = context.render->open(RenderFileFormat{showParts[pieceTwoPart].fileName, pictureWidth,
                                                           2 * pictureLines, context.framesPerSecond,
                                                           context.codecName, true});
        // The capture hooks onto the channel before it plays, so no sound is missed.
        run.writer->attach(frameBuffer.get(), music);
    }
    sounds->playStream(music, musicEntry);
    context.clock->start();
}

void PieceTwo::run(const PieceContext& context) {
    if (!current) return;
    Run& run = *current;
    FrameBuffer* store = frameBuffer.get();
    Timer& clock = *context.clock;
    const PartPlan& plan = context.plan[0];
    LiveClock live(clock, sounds->getSound(), music, plan, int32_t(framePeriodMs));
    for (int32_t t = clock.getElapsedMs(); t < lastFrameMs && !shouldQuit(context); t = clock.getElapsedMs()) {
        const int64_t index = context.videoMode ? run.frameClock->getCapturedFrames() : 0;
        if (context.videoMode && index >= plan.endFrame) break;
        const uint32_t frameStart = Sys_Milliseconds();
        if (context.videoMode)
            clock.setTime(run.frameClock->nextFrameUnits());
        else
            live.advance();
        const int32_t now = clock.getElapsedMs();
        if (!context.videoMode && live.ended()) break;
        // Frames before the first one shown are only computed.
        const bool shown = context.videoMode ? plan.showsFrame(index) : live.showing();
        context.scenes->update(now);
        store->setTop(clipTop);
        run.director.advance(CutDirector::listPosition, CutDirector::listClip); // only once a fade ran out
        if (run.timeline.gate(now, run.director, store, shown) == -1) break;
        store->setTop(0);
        if (context.device && shown) context.device->present();
        if (context.videoMode) {
            const int32_t percent = run.frameClock->frameCaptured();
            if (shown)
                run.writer->writeFrame(percent);
            else if (run.writer)
                run.writer->skipFrame();
            clock.setTime(run.frameClock->nextFrameUnits());
        } else if (shown) {
            waitForFramePeriod(frameStart);
            if (context.live && context.live->afterFrame(*context.device, pieceTwoPart, now)) break;
        }
    }
    // The part is over: its file is finished now, so nothing later can undo it.
    if (run.writer) {
        std::unique_ptr<RenderWriter> writer = std::move(run.writer);
        writer->finish();
    }
}

void PieceTwo::stop() {
    if (sounds) sounds->stop(music, musicEntry);
}

void PieceTwo::release() {
    current.reset(); // finishes piece_2.avi if a run left it open
    if (clips) clips->clear();
}

std::vector<int64_t> PieceTwo::renderedFrames(int32_t framesPerSecond) const {
    return {FrameClock::renderedFrames(framesPerSecond, PieceTwoTimeline::endMs, lastFrameMs)};
}
