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

void ShowSequence::playIntro() {
    // Rendering to files: the pieces open the display themselves, and nothing is shown.
    displays.switchToShowDisplay(options.videoMode);
    Timer& clock = services->pieces.clock;
    clock.stop();
    clock.start();
    if (options.videoMode || Sys_IsQuitRequested()) return;
    // Three seconds of black; a quit request ends them at once rather than after the wait.
    while (clock.getElapsedMs() < 3000 && !Sys_IsQuitRequested()) {
        clock.update();
        services->pieces.scenes.update(clock.getElapsedMs());
        displays.presentBlack();
        Sys_Sleep(0);
    }
}

void ShowSequence::runPieces() {
    playIntro();
    if (options.videoMode) RenderPlan::plan(options, services->progress);
    Timer& clock = services->pieces.clock;
    for (int k = 0; k < 3; ++k) {
        if (!options.pieceChosen[size_t(k)]) continue;
        if (!Sys_IsQuitRequested()) {
            if (k == 0) clock.setTime(0); // the first piece's clock starts from zero
            clock.stop();
            pieces.play(k, pieceContext(displays.current(), displays.currentFrameBuffer()));
        }
        pieces.stop(k); // also when a quit request skipped the piece
        // A render file the piece could not finish ends the show like any other write failure.
        if (auto failure = RenderFile::takeUnreportedFailure()) throw *failure;
    }
}

void ShowSequence::finishRender() {
    pieces.releaseAll();
    if (auto failure = RenderFile::takeUnreportedFailure()) throw *failure;
    if (!options.videoMode) return;
    // The releases finished the masters; the film is made from them.
    if (options.deliver) deliverFilm(options, services->progress);
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
