// Preload, intro, piece runner and credits.
#include "shell/ShowSequence.h"

#include "animation/SceneManager.h"
#include "media/VideoFailure.h"
#include "media/masters/RenderFile.h"
#include "media/progress/RenderProgress.h"
#include "pieces/common/PieceContext.h"
#include "pieces/one/PieceOne.h"
#include "pieces/three/PieceThree.h"
#include "pieces/two/PieceTwo.h"
#include "platform/DisplayDevice.h"
#include "platform/FatalFailure.h"
#include "platform/FrameBuffer.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "platform/Settings.h"
#include "platform/ShowRandom.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "shell/FilmStep.h"
#include "pieces/common/ShowParts.h"
#include "shell/ShowState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void writeDisplaySettings(int32_t width, int32_t height) {
    Settings& settings = Settings::instance();
    settings.set(Settings::Width, width);
    settings.set(Settings::Height, height);
    settings.set(Settings::BitsPerPixel, 32);
    settings.set(Settings::Platform, 1);
    settings.set(Settings::Interface, 1);
}

void clearFrameBuffer() {
    clearFrameBuffer(Show::currentFrameBuffer);
}

void clearFrameBuffer(FrameBuffer* frameBuffer) {
    if (!frameBuffer) return;
    std::memset(frameBuffer->getPixels(), 0,
                size_t(frameBuffer->getWidth()) * size_t(frameBuffer->getHeight()) * 4);
}

void blitToFrameBuffer(uint8_t* destination, const uint8_t* source, int32_t x, int32_t y, int32_t width,
                       int32_t rows) {
    for (int32_t row = 0; row < rows; ++row)
        std::memcpy(destination + (size_t(y + row) * 1024 + size_t(x)) * 4, source + size_t(row) * width * 4,
                    size_t(width) * 4);
}

PieceContext pieceContext(DisplayDevice* device, FrameBuffer* frameBuffer) {
    PieceContext context;
    context.device = device;
    context.frameBuffer = frameBuffer;
    context.videoMode = Show::videoMode;
    context.framesPerSecond = Show::framesPerSecond;
    context.codecName = Show::codecName;
    context.seed = Show::seed;
    return context;
}

void preloadPieces() {
    Show::currentDevice->present();
    writeDisplaySettings(640, 480);
    Show::secondDevice = new DisplayDevice("");
    Show::secondFrameBuffer = new FrameBuffer();
    clearFrameBuffer(Show::secondFrameBuffer);
    clearFrameBuffer();
    Show::currentDevice->present();
    const PieceContext loading = pieceContext(Show::secondDevice, Show::secondFrameBuffer);
    PieceOne::load(loading);
    PieceTwo::load(loading);
    PieceThree::load(loading);
    clearFrameBuffer(Show::secondFrameBuffer);
    clearFrameBuffer();
    Show::currentDevice->present();
    Show::secondDevice->setFrameBuffer(Show::secondFrameBuffer);
    clearFrameBuffer(Show::secondFrameBuffer);
    clearFrameBuffer();
    Show::currentDevice->present();
    writeDisplaySettings(1024, 768);
}

void playIntro() {
    DisplayInput::setCursorVisible(false);
    Show::currentDevice->close();
    delete Show::currentFrameBuffer;
    delete Show::currentDevice;
    writeDisplaySettings(640, 480);
    Show::currentDevice = Show::secondDevice;
    Show::currentFrameBuffer = Show::secondFrameBuffer;
    // Rendering to files: the pieces open the display themselves, and nothing is shown.
    DisplayOptions::setHidden(Show::videoMode);
    if (!Show::videoMode) Show::currentDevice->open();
    Timer& clock = Timer::instance();
    clock.stop();
    clock.start();
    if (!Show::videoMode && !Sys_IsQuitRequested()) {
        // Three seconds of black; a quit request ends them at once rather than after the wait.
        while (clock.getElapsedMs() < 3000 && !Sys_IsQuitRequested()) {
            clock.update();
            SceneManager::instance().update();
            clearFrameBuffer();
            Show::currentDevice->present();
            Sys_Sleep(0);
        }
    }
}

namespace {
// The entry points of one piece, in show order.
struct PieceEntryPoints {
    void (*setup)(const PieceContext&);
    void (*run)(const PieceContext&);
    void (*stop)();
    void (*release)();
};

const PieceEntryPoints pieces[3] = {
    {PieceOne::setup, PieceOne::run, PieceOne::stop, PieceOne::release},
    {PieceTwo::setup, PieceTwo::run, PieceTwo::stop, PieceTwo::release},
    {PieceThree::setup, PieceThree::run, PieceThree::stop, PieceThree::release},
};

// With TRIPTYCH_LOG_PIECES set (not "0"), a line on stderr as each piece starts, for scripts
// that check which pieces ran.
void logPieceStart(int pieceNumber) {
    const char* wanted = std::getenv("TRIPTYCH_LOG_PIECES");
    if (wanted && *wanted && std::strcmp(wanted, "0") != 0)
        std::fprintf(stderr, "triptych: piece %d starts\n", pieceNumber);
}
} // namespace

namespace {
// The files this render writes, for the whole render's progress: the chosen pieces' parts, and
// the film, which covers them all again, when it is delivered.
void planRender() {
    std::vector<RenderPart> plan;
    double showSeconds = 0.0;
    for (const ShowPart& part : showParts)
        if (Show::pieceChosen[part.piece]) {
            plan.push_back({part.fileName, part.seconds()});
            showSeconds += part.seconds();
        }
    if (Show::deliver) plan.push_back({"triptych.mp4", showSeconds});
    RenderProgress::instance().setPlan(plan, Show::framesPerSecond);
}

// Once the pieces began to render: what was written, and whether the render was cancelled or
// stopped by an error.
void printRenderSummary() {
    RenderProgress& progress = RenderProgress::instance();
    if (!progress.hasPlan()) return; // stopped before any piece: nothing was rendered
    using Ending = RenderProgress::Ending;
    const Ending ending = !Show::creditsEnabled ? Ending::failed
                          : Sys_IsQuitRequested() ? Ending::cancelled
                                                  : Ending::finished;
    for (const std::string& line : progress.summary(ending))
        std::fprintf(stderr, "%s\n", line.c_str());
}
} // namespace

void runPieces() {
    playIntro();
    if (Show::videoMode) planRender();
    Timer& clock = Timer::instance();
    for (int k = 0; k < 3; ++k) {
        if (!Show::pieceChosen[k]) continue;
        const PieceEntryPoints& piece = pieces[k];
        if (!Sys_IsQuitRequested()) {
            if (k == 0) clock.setTime(0); // the first piece's clock starts from zero
            clock.stop();
            const PieceContext context = pieceContext(Show::currentDevice, Show::currentFrameBuffer);
            piece.setup(context);
            logPieceStart(k + 1);
            piece.run(context);
            piece.stop();
        }
        piece.stop(); // also when a quit request skipped the piece
        // A render file the piece could not finish ends the show like any other write failure.
        if (auto failure = RenderFile::takeUnreportedFailure()) throw *failure;
    }
}

void closeCurrentDisplay() {
    if (Show::currentDevice) Show::currentDevice->close();
}

void endWithFatalFailure(const FatalFailure& failure) {
    closeCurrentDisplay();
    Sys_ErrorBox(failure.boxText(), failure.caption(), failure.detail());
    std::exit(failure.exitCode());
}

std::string creditsText() {
    return "Triptych\n"
           "\n"
           "created by the Triptych Ensemble\n"
           "\n\n"
           "piece one\n"
           "visuals: Ada Quillfeather\n"
           "music: Bruno Wexley\n"
           "\n"
           "piece two\n"
           "visuals: Cora Lindqvist-Oduya\n"
           "music: Dario Fenwick\n"
           "\n"
           "piece three\n"
           "visuals: Elin Marchetti\n"
           "music: Faro Nakamura-Holt\n"
           "\n\n"
           "triptych.example.org\n"
           "\n\n"
           "ada@triptych.example.org\n"
           "bruno@triptych.example.org\n"
           "elin@triptych.example.org\n";
}

void showCredits() {
    for (const PieceEntryPoints& piece : pieces)
        piece.release();
    if (auto failure = RenderFile::takeUnreportedFailure()) endWithFatalFailure(*failure);
    // The releases finished the masters; the film is made from them (not after a failure).
    if (Show::deliver && Show::creditsEnabled) deliverFilm();
    if (Show::videoMode) printRenderSummary();
    if (Show::creditsEnabled) {
        Sys_MessageBox(creditsText(), "", MessageIcon::None);
        ShowRandom::seed(uint32_t(Sys_CalendarSeconds()));
        if (ShowRandom::next() % 100000 == 1234) {
            for (const char* word : {"Where", "Exactly", "Did", "It", "Happen?"})
                Sys_MessageBox(word, "", MessageIcon::None);
        }
    }
}
