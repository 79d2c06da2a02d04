// Piece three's entry points and frame loop: grey scanlines of the flight clip and fifteen
// dissolving photographs over 106 seconds of music, live or rendered to "piece_3.avi".
#include "pieces/three/PieceThree.h"

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

namespace {

constexpr const char* musicEntry = "data/videoclip2.mpg";
constexpr int32_t screenWidth = 640;
constexpr int32_t screenHeight = 480;

void clearScreen(FrameBuffer* frameBuffer) {
    const size_t rowBytes = size_t(frameBuffer->getWidth()) * 4;
    uint8_t* row = frameBuffer->getPixels();
    for (int32_t y = 0; y < screenHeight; ++y, row += rowBytes)
        std::memset(row, 0, rowBytes);
}

} // namespace

// Everything one run changes as it goes: made anew by every setup.
struct PieceThree::Run {
    Run(ClipLibrary& clips, const std::string& clipName, const std::vector<RowTable>& tables,
        const std::vector<std::shared_ptr<const PairPictures>>& pictures, SceneManager& scenes)
        : scanlines(clips, clipName, tables, scanlineCues), scenes(scenes) {
        pairs.reserve(pairCount);
        for (int32_t k = 0; k < pairCount; ++k) {
            const PairPlan& plan = pairPlans[k];
            pairs.emplace_back(pictures[size_t(k)], plan.centreX, plan.centreY, plan.reveal, plan.gain,
                               screenWidth, screenHeight);
        }
        scenes.add(&noiseFloor.getTrigger());
    }
    ~Run() { scenes.remove(&noiseFloor.getTrigger()); }

    // One frame at now; without pixels only computed.
    void drawFrame(FrameBuffer* frameBuffer, int32_t now, bool pixels) {
        if (pixels) clearScreen(frameBuffer);
        scanlines.draw(frameBuffer, now, noiseFloor.floorAt(now), pixels);
        uint32_t* screen = frameBuffer->getPixels32();
        for (ImagePair& pair : pairs)
            pair.draw(screen, frameBuffer->getWidth(), now, starts, pixels);
    }

    ClipScanlines scanlines;
    std::vector<ImagePair> pairs;
    PairStarts starts{pairStartTimes};
    NoiseFloor noiseFloor;
    SceneManager& scenes;
    std::unique_ptr<RenderWriter> writer;
    float framesPerSecond = 25.0f;
    int32_t capturedFrameCount = 0;
    float frameTimeUnits = 0.0f;
};

PieceThree::PieceThree() = default;
PieceThree::~PieceThree() = default;

void PieceThree::load(const PieceContext& context) {
    sounds = std::make_unique<SoundEntries>(*context.sound, *context.files);
    sounds->openOutput(context.videoMode);
    musicStream = sounds->createStream(musicEntry);
    // Piece two registers the flight clip when it loads; piece three must not depend on it.
    clips = context.clips;
    clipName = tempClipPath(showClips[flightClip].fileName);
    if (!clips->getClip(clipName)) clips->addClip(clipName, showClips[flightClip].lengthMs);
    rowTables = buildRowTables();
    productTable();
    // A photograph used by several pairs is decoded once.
    std::map<std::pair<std::string, std::string>, std::shared_ptr<const PairPictures>> decoded;
    pairPictures.clear();
    for (const PairPlan& plan : pairPlans) {
        auto& pictures = decoded[{plan.photograph, plan.fadeMap}];
        if (!pictures) pictures = loadPairPictures(*context.files, plan.photograph, plan.fadeMap);
        pairPictures.push_back(pictures);
    }
    loaded = true;
}

void PieceThree::setup(const PieceContext& context) {
    if (!loaded) return;
    FrameBuffer* frameBuffer = context.frameBuffer;
    if (frameBuffer->getBitsPerPixel() != 32 || frameBuffer->getWidth() < screenWidth ||
        frameBuffer->getHeight() < screenHeight || frameBuffer->isDoubled())
        throw ShowFailure(1, "couldn't set up piece three: it draws on a plain 640x480 frame buffer of 32 bits");
    if (context.videoMode) {
        // The display stays open for the presents, with its window hidden: frames go to the file.
        context.device->open();
        Sys_HideWindow(getWindowHandle());
    }
    context.device->setFrameBuffer(frameBuffer);
    clearScreen(frameBuffer);
    context.device->present();
    clips->setTarget(frameBuffer);
    current.reset(); // the old run's trigger leaves the scene manager first
    current = std::make_unique<Run>(*clips, clipName, rowTables, pairPictures, *context.scenes);
    Run& run = *current;
    run.framesPerSecond = float(context.framesPerSecond);
    if (context.videoMode && context.plan[0].write) {
        run.writer = context.render->open(RenderFileFormat{showParts[pieceThreePart].fileName, screenWidth,
                                                           screenHeight, context.framesPerSecond,
                                                           context.codecName, true});
        // Attached before the music plays, so the capture has all of its sound.
        run.writer->attach(frameBuffer, musicStream);
    }
    context.clock->start();
    sounds->playStream(musicStream, musicEntry);
}

void PieceThree::run(const PieceContext& context) {
    if (!current) return;
    Run& run = *current;
    Timer& clock = *context.clock;
    const int32_t endMs = FrameTiming::pieceEndMs;
    auto loopEnds = [&] {
        return context.device->isCloseRequested() || context.isQuitRequested() || clock.getElapsedMs() >= endMs;
    };
    const PartPlan& plan = context.plan[0];
    LiveClock live(clock, sounds->getSound(), musicStream, plan, int32_t(FrameTiming::shortestFrameMs));
    uint32_t previousPresent = Sys_Milliseconds();
    while (!loopEnds()) {
        const int64_t index = run.capturedFrameCount;
        if (context.videoMode && index >= plan.endFrame) break;
        if (context.videoMode)
            clock.setTime(int32_t(run.frameTimeUnits));
        else
            live.advance();
        // Live, the clock has just moved on: a frame at the end of the piece is not drawn.
        const int32_t now = clock.getElapsedMs();
        if (now >= endMs || (!context.videoMode && live.ended())) break;
        // Frames before the first one shown are only computed.
        const bool shown = context.videoMode ? plan.showsFrame(index) : live.showing();
        context.scenes->update(now);
        run.drawFrame(context.frameBuffer, now, shown);
        if (shown) context.device->present();
        if (context.videoMode) {
            // The clock moves to the next frame's time and the frame goes to the file with its
            // share of the music.
            run.frameTimeUnits = FrameTiming::frameTimeUnits(run.framesPerSecond, run.capturedFrameCount);
            clock.setTime(int32_t(run.frameTimeUnits));
            if (shown)
                run.writer->writeFrame(FrameTiming::progressPercent(run.frameTimeUnits));
            else if (run.writer)
                run.writer->skipFrame();
            ++run.capturedFrameCount;
        } else if (shown) {
            // Presenting paces the loop where it waits for the screen; where it does not, the
            // rest of a display refresh is slept so the loop does not spin. The animation
            // follows the show clock either way.
            const uint32_t presented = Sys_Milliseconds();
            if (uint32_t rest = FrameTiming::pacingSleepMs(presented - previousPresent)) Sys_Sleep(rest);
            previousPresent = Sys_Milliseconds();
            if (context.live && context.live->afterFrame(*context.device, pieceThreePart, now)) break;
        }
    }
    if (run.writer) {
        std::unique_ptr<RenderWriter> writer = std::move(run.writer);
        writer->finish();
    }
}

void PieceThree::stop() {
    if (sounds) sounds->stop(musicStream, musicEntry);
}

void PieceThree::release() {
    if (clips) clips->clear();
    current.reset(); // finishes the file if a run left it open
}

std::vector<int64_t> PieceThree::renderedFrames(int32_t framesPerSecond) const {
    return {FrameTiming::renderedFrames(framesPerSecond)};
}
