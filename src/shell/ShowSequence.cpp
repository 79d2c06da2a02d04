// The show's fixed order, from the services to the credits.
#include "shell/ShowSequence.h"

#include "media/clips/ClipLibrary.h"
#include "media/VideoFailure.h"
#include "media/masters/RenderFile.h"
#include "pieces/common/PieceContext.h"
#include "platform/DataLocation.h"
#include "platform/DisplayDevice.h"
#include "platform/QuitRequest.h"
#include "platform/QuitSignals.h"
#include "platform/ShowStats.h"
#include "platform/SystemClock.h"
#include "resources/ClipExtraction.h"
#include "shell/Credits.h"
#include "shell/FilmStep.h"
#include "shell/LiveTransport.h"
#include "shell/RenderPlan.h"
#include "shell/ShowServices.h"

namespace {
// The services outlive the sequence: the exit handlers that finish open render files and remove
// the extracted clips still use them after showMain returns. Held here, they stay reachable.
ShowServices* processServices = nullptr;
} // namespace

ShowSequence::ShowSequence(const ShowOptions& options_) : options(options_) {}

ShowSequence::~ShowSequence() = default;

PieceContext ShowSequence::pieceContext(DisplayDevice* device, FrameBuffer* frameBuffer) const {
    PieceContext context = services->pieces.contextFor(device, frameBuffer);
    context.videoMode = options.videoMode;
    context.framesPerSecond = options.framesPerSecond;
    context.codecName = options.codecName;
    context.seed = options.seed;
    return context;
}

void ShowSequence::startUp() {
    if (!processServices) processServices = new ShowServices();
    services = processServices;
    displays.openMenuDisplay();
    // The clips out of the archive into temporary files, then decoded on worker threads while
    // the pieces load.
    extractClips(&services->pieces.files, Sys_FindShowData());
    prefetchShowClips();
    // Black frames around the loading; the menu's background and controls, and the clock.
    clearFrameBuffer(displays.currentFrameBuffer());
    DisplayInput::setCursorVisible(true);
    clearFrameBuffer(displays.currentFrameBuffer());
    menu.loadBackground(services->pieces.files);
    preloadPieces();
    clearFrameBuffer(displays.currentFrameBuffer());
    menu.createControls(services->pieces.files, displays.currentFrameBuffer(), options.pieceChosen);
    clearFrameBuffer(displays.currentFrameBuffer());
    awaitShowClips(); // a clip that fails to decode ends the show before the menu
    ShowStats::report("after preload");
    services->pieces.clock.start();
}

void ShowSequence::preloadPieces() {
    displays.current()->present();
    displays.makeShowDisplay();
    clearFrameBuffer(displays.showFrameBuffer());
    displays.presentBlack();
    pieces.loadAll(pieceContext(displays.showDevice(), displays.showFrameBuffer()));
    clearFrameBuffer(displays.showFrameBuffer());
    displays.presentBlack();
    clearFrameBuffer(displays.showFrameBuffer());
    displays.presentBlack();
    writeDisplaySettings(1024, 768);
}

void ShowSequence::playIntro(bool black) {
    Timer& clock = services->pieces.clock;
    clock.stop();
    clock.start();
    if (!black || options.videoMode || Sys_IsQuitRequested()) return;
    // Three seconds of black; a quit request ends them at once rather than after the wait.
    while (clock.getElapsedMs() < 3000 && !Sys_IsQuitRequested()) {
        clock.update();
        services->pieces.scenes.update(clock.getElapsedMs());
        displays.presentBlack();
        Sys_Sleep(0);
    }
}

void ShowSequence::runPieces() {
    // Rendering to files: the pieces open the display themselves, and nothing is shown.
    displays.switchToShowDisplay(options.videoMode);
    if (options.videoMode)
        renderPieces();
    else
        playPieces();
}

void ShowSequence::renderPieces() {
    playIntro(false);
    const ShowTimeline timeline = pieces.videoTimeline(options.framesPerSecond);
    RangePlan range = options.hasRange()
                          ? planRange(timeline, options.pieceChosen, options.fromUs, options.toUs.value_or(timeline.endUs()))
                          : wholeShow(timeline, options.pieceChosen);
    partsWritten = range.writtenFrames;
    RenderPlan::plan(options, timeline, range, services->progress);
    Timer& clock = services->pieces.clock;
    for (int k = 0; k < 3; ++k) {
        if (!options.pieceChosen[size_t(k)]) continue;
        if (range.runs[size_t(k)] && !Sys_IsQuitRequested()) {
            if (k == 0) clock.setTime(0); // the first piece's clock starts from zero
            clock.stop();
            PieceContext context = pieceContext(displays.current(), displays.currentFrameBuffer());
            context.plan = range.pieces[size_t(k)];
            pieces.play(k, context, range.shows[size_t(k)]);
        }
        pieces.stop(k); // also when a quit request skipped the piece
        // A render file the piece could not finish ends the show like any other write failure.
        if (auto failure = RenderFile::takeUnreportedFailure()) throw *failure;
    }
}

void ShowSequence::playPieces() {
    const int64_t toUs = options.toUs.value_or(ShowTimeline::live().endUs());
    LiveTransport transport(services->pieces.clock, services->pieces.sound,
                            {options.pieceChosen, options.fromUs, toUs, options.loop});
    int64_t position = options.fromUs;
    bool starting = true; // a start of the show (the first or a loop's), not a seek's landing
    while (!Sys_IsQuitRequested()) {
        playIntro(starting && position == 0);
        const RangePlan range = planRange(ShowTimeline::live(), options.pieceChosen, position, toUs, pieces.startsKnown());
        if (range.showsNothing()) break;
        std::optional<int64_t> sought;
        bool landed = false;
        for (int k = 0; k < 3; ++k) {
            if (!options.pieceChosen[size_t(k)]) continue;
            if (range.runs[size_t(k)] && !sought && !Sys_IsQuitRequested()) {
                Timer& clock = services->pieces.clock;
                if (k == 0) clock.setTime(0);
                clock.stop();
                PieceContext context = pieceContext(displays.current(), displays.currentFrameBuffer());
                context.plan = range.pieces[size_t(k)];
                const bool shows = range.shows[size_t(k)];
                context.live = shows ? &transport : nullptr;
                // The sound is held while the piece computes its way to the start.
                services->pieces.sound.setPaused(!shows || context.plan[0].startMs > 0);
                // After a seek the piece it lands in is not announced as starting: the landing is.
                pieces.play(k, context, shows && (starting || landed));
                landed = landed || shows;
                sought = transport.takeSeek();
            }
            pieces.stop(k);
        }
        services->pieces.sound.setPaused(false);
        if (sought && *sought < toUs) {
            position = *sought;
            starting = false;
            transport.landAfterSeek();
            continue;
        }
        if (!options.loop) break;
        position = options.fromUs;
        starting = true;
    }
}

void ShowSequence::finishRender() {
    pieces.releaseAll();
    if (auto failure = RenderFile::takeUnreportedFailure()) throw *failure;
    if (!options.videoMode) return;
    // The releases finished the masters; the film is made from them.
    if (options.deliver) deliverFilm(options, partsWritten, services->progress);
    renderComplete = !Sys_IsQuitRequested();
    RenderPlan::printSummary(services->progress, renderComplete ? RenderProgress::Ending::finished
                                                                  : RenderProgress::Ending::cancelled);
}

ShowOutcome ShowSequence::outcome() const {
    if (options.videoMode && renderComplete) return {ShowEnding::played};
    if (!Sys_IsQuitRequested()) return {ShowEnding::played};
    if (int signalNumber = Sys_QuitSignalNumber()) return {ShowEnding::signalled, signalNumber};
    // Before the render began (the menu's exit, Escape in the menu) nothing planned was lost.
    if (options.videoMode && services->progress.hasPlan()) return {ShowEnding::renderCancelled};
    return {ShowEnding::endedByViewer};
}

ShowOutcome ShowSequence::run() {
    startUp();
    // Without the menu the pieces chosen on the command line run (all of them by default).
    if (!options.noMenu &&
        menu.run(*displays.current(), displays.currentFrameBuffer(), services->pieces.clock, options.pieceChosen))
        Sys_RequestQuit(); // the menu's exit
    runPieces();
    displays.closeCurrent();
    ShowStats::report("at the credits");
    finishRender();
    showCredits();
    return outcome();
}

void ShowSequence::endAfterFailure() {
    try {
        pieces.releaseAll();
    } catch (...) {
        // The failure being reported is the one that counts; the files are finished at exit.
    }
    if (services && options.videoMode)
        RenderPlan::printSummary(services->progress, RenderProgress::Ending::failed);
}
