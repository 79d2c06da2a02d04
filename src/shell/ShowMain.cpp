// Entry and start-up order of the show.
#include "shell/ShowMain.h"

#include "media/clips/ClipLibrary.h"
#include "media/film/ShowDelivery.h"
#include "platform/DebugServer.h"
#include "platform/DisplayDevice.h"
#include "platform/Errors.h"
#include "platform/FatalFailure.h"
#include "platform/FrameBuffer.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "platform/QuitSignals.h"
#include "platform/ShowFailure.h"
#include "platform/ShowStats.h"
#include "platform/Timer.h"
#include "resources/ClipExtraction.h"
#include "resources/OTable.h"
#include "resources/Servers.h"
#include "shell/CommandLine.h"
#include "shell/Menu.h"
#include "shell/ShowSequence.h"
#include "shell/ShowState.h"

#include <cstdio>
#include <cstdlib>

namespace {

void removeTempClipsAtExit() {
    removeTempClips();
}

// Process-wide services, kept until the process ends.
Servers* services = nullptr;
OTable* projectionTables = nullptr;

void onDisplayQuit() {
    Sys_RequestQuit();
}

// The catch-all's end of the show: the box says only "Error.", the terminal also gets what
// failed; no credits.
void endWithError(const std::string& cause) {
    closeCurrentDisplay();
    Show::creditsEnabled = false;
    Sys_ErrorBox("Error.", "", cause);
    showCredits();
}

// Decides how displays open; returns an exit code when the show cannot run at all.
int prepareDisplay() {
    bool display = Sys_DisplayAvailable();
    if (!display && !Show::videoMode) {
        std::fputs("triptych: no display is available (neither DISPLAY nor WAYLAND_DISPLAY is set, or the "
                   "video system cannot start there).\n"
                   "The show needs a screen; \"video\" renders it to AVI files without one.\n",
                   stderr);
        return 1;
    }
    if (!display && !Show::noMenu) {
        // Nobody could use the menu: every piece is rendered.
        std::fputs(
            "triptych: no display is available: the start menu is skipped and every piece is rendered.\n",
            stderr);
        Show::noMenu = true;
    }
    DisplayInput::setQuitHandler(onDisplayQuit);
    DisplayOptions::setWindowed(Show::windowed);
    // Rendering without the menu shows nothing at all; with the menu, the menu is shown.
    DisplayOptions::setHidden(Show::videoMode && Show::noMenu);
    return -1;
}

// Reads the switches; returns an exit code when the command line itself ends the run.
int readCommandLine(const std::string& line) {
    if (CommandLine::readHelpSwitch(line)) {
        std::fputs(CommandLine::usage().c_str(), stdout);
        return 0;
    }
    Show::deliver = CommandLine::readDeliverSwitch(line);
    Show::videoMode = CommandLine::readVideoSwitch(line) || Show::deliver;
    Show::framesPerSecond = CommandLine::readFrameRate(line);
    Show::noMenu = CommandLine::readMenuSwitch(line);
    Show::windowed = CommandLine::readWindowSwitch(line);
    Show::codecName = CommandLine::readCodecName(line);
    if (auto problem = CommandLine::checkFrameRate(Show::framesPerSecond)) {
        std::fprintf(stderr, "triptych: %s\n", problem->c_str());
        return 2;
    }
    if (auto problem = CommandLine::checkCodec(Show::codecName)) {
        std::fprintf(stderr, "triptych: %s\n", problem->c_str());
        return 2;
    }
    std::string problem;
    if (Show::deliver && !ShowDelivery::isAvailable(&problem)) {
        std::fprintf(stderr, "triptych: %s\n", problem.c_str());
        return 2;
    }
    if (auto word = CommandLine::readSeedWord(line)) {
        Show::seed = CommandLine::parseSeed(*word, &problem);
        if (!Show::seed) {
            std::fprintf(stderr, "triptych: %s\n", problem.c_str());
            return 2;
        }
    }
    if (auto word = CommandLine::readPiecesWord(line)) {
        auto chosen = CommandLine::parsePieces(*word, &problem);
        if (!chosen) {
            std::fprintf(stderr, "triptych: %s\n", problem.c_str());
            return 2;
        }
        for (int piece = 0; piece < 3; ++piece) Show::pieceChosen[piece] = (*chosen)[size_t(piece)];
    }
    return -1;
}

void runShow() {
    // The services; only the file service is used here.
    services = new Servers(11, 0, 200);
    getDebugServer();
    getExceptionServer();
    FileServer* fileServer = getFileServer();
    // The projection tables.
    projectionTables = new OTable(65535, 1024, 768, 32, 45.0f);
    // The menu's 1024x768 display.
    writeDisplaySettings(1024, 768);
    Show::currentDevice = new DisplayDevice("");
    Show::currentFrameBuffer = new FrameBuffer();
    Show::currentDevice->setFrameBuffer(Show::currentFrameBuffer);
    Show::currentDevice->open();
    // The clips out of the archive into temporary files, then decoded on worker threads while
    // the pieces load.
    extractClips(fileServer);
    prefetchShowClips();
    // Black frames around the loading; the menu's background and controls, and the clock.
    clearFrameBuffer();
    DisplayInput::setCursorVisible(true);
    clearFrameBuffer();
    loadMenuBackground();
    preloadPieces();
    clearFrameBuffer();
    createMenuControls();
    clearFrameBuffer();
    awaitShowClips(); // a clip that fails to decode ends the show before the menu
    ShowStats::report("after preload");
    Timer::instance().start();
    // Without the menu the pieces chosen on the command line run (all of them by default).
    if (!Show::noMenu) runMenu();
    // The intro and the pieces on the 640x480 display, then the credits.
    runPieces();
    Show::currentDevice->close();
    ShowStats::report("at the credits");
    showCredits();
}

} // namespace

int showMain(int argc, char** argv) {
    // The extracted clips go away at every normal exit.
    std::atexit(removeTempClipsAtExit);
    Sys_CatchQuitSignals();
    std::string line = CommandLine::join(argc, argv);
    if (int code = readCommandLine(line); code >= 0) return code;
    if (int code = prepareDisplay(); code >= 0) return code;

    try {
        runShow();
    } catch (ExceptionSpace::Exception* error) {
        closeCurrentDisplay();
        Show::creditsEnabled = false;
        error->report();
        showCredits();
    } catch (const FatalFailure& failure) {
        // Video files that cannot be read or written, services that cannot start.
        endWithFatalFailure(failure);
    } catch (const ShowFailure& failure) {
        // The resources' error records, the sound's and the extraction's failures.
        endWithError(failure.cause());
    } catch (const std::exception& error) {
        endWithError(error.what());
    } catch (...) {
        endWithError("");
    }
    return 0;
}
