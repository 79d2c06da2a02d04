// Entry of the show: the command line, the display check, the show sequence, the top-level
// failure handlers and the exit status.
#include "shell/ShowMain.h"

#include "media/film/ShowDelivery.h"
#include "platform/DisplayDevice.h"
#include "platform/Errors.h"
#include "platform/FatalFailure.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "platform/QuitSignals.h"
#include "platform/ShowFailure.h"
#include "resources/ClipExtraction.h"
#include "shell/CommandLine.h"
#include "shell/ShowOptions.h"
#include "shell/ShowOutcome.h"
#include "shell/PieceRunner.h"
#include "shell/ShowRange.h"
#include "shell/ShowTime.h"
#include "shell/ShowSequence.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void removeTempClipsAtExit() {
    removeTempClips();
}

void onDisplayQuit() {
    Sys_RequestQuit();
}

int refuse(const std::string& problem) {
    std::fprintf(stderr, "triptych: %s\n", problem.c_str());
    return refusedCommandLineExitCode;
}

// The range words and loop; an exit code when they are refused.
std::optional<int> readRange(const std::string& line, ShowOptions& options) {
    std::string problem;
    if (auto word = CommandLine::readFromWord(line)) {
        auto us = CommandLine::parseTime("from=", *word, &problem);
        if (!us) return refuse(problem);
        options.fromUs = *us;
    }
    if (auto word = CommandLine::readToWord(line)) {
        options.toUs = CommandLine::parseTime("to=", *word, &problem);
        if (!options.toUs) return refuse(problem);
    }
    options.loop = CommandLine::readLoopSwitch(line);
    if (options.loop && options.videoMode)
        return refuse("\"loop\" plays the show live again and again; a render (\"video\") cannot loop.");
    const ShowTimeline timeline =
        options.videoMode ? PieceRunner().videoTimeline(options.framesPerSecond) : ShowTimeline::live();
    if (auto bad = CommandLine::checkRange(options.fromUs, options.toUs, timeline.endUs())) return refuse(*bad);
    // Without the menu the chosen pieces are known now: a range that holds none of them is refused.
    if (options.hasRange() && options.noMenu &&
        planRange(timeline, options.pieceChosen, options.fromUs, options.toUs.value_or(timeline.endUs())).showsNothing())
        return refuse("The range from=" + ShowTime::format(options.fromUs) +
                      (options.toUs ? " to=" + ShowTime::format(*options.toUs) : std::string()) +
                      " holds no part of the chosen pieces.");
    return std::nullopt;
}

// Reads the words into options; an exit code when the command line itself ends the run.
std::optional<int> readCommandLine(const std::string& line, ShowOptions& options) {
    if (CommandLine::readHelpSwitch(line)) {
        std::fputs(CommandLine::usage().c_str(), stdout);
        return 0;
    }
    if (CommandLine::readVersionSwitch(line)) {
        std::fputs(CommandLine::versionText().c_str(), stdout);
        return 0;
    }
    options.deliver = CommandLine::readDeliverSwitch(line);
    options.videoMode = CommandLine::readVideoSwitch(line) || options.deliver;
    options.framesPerSecond = CommandLine::readFrameRate(line);
    options.noMenu = CommandLine::readMenuSwitch(line);
    options.windowed = CommandLine::readWindowSwitch(line);
    options.codecName = CommandLine::readCodecName(line);
    if (auto problem = CommandLine::checkFrameRate(options.framesPerSecond)) return refuse(*problem);
    if (auto problem = CommandLine::checkCodec(options.codecName)) return refuse(*problem);
    std::string problem;
    if (options.deliver && !ShowDelivery::isAvailable(&problem)) return refuse(problem);
    if (auto word = CommandLine::readSeedWord(line)) {
        options.seed = CommandLine::parseSeed(*word, &problem);
        if (!options.seed) return refuse(problem);
    }
    if (auto word = CommandLine::readDeliverWord(line)) {
        auto height = CommandLine::parseDeliverHeight(*word, &problem);
        if (!height) return refuse(problem);
        options.deliverHeight = *height;
    }
    if (auto word = CommandLine::readPiecesWord(line)) {
        auto chosen = CommandLine::parsePieces(*word, &problem);
        if (!chosen) return refuse(problem);
        options.pieceChosen = *chosen;
    }
    return readRange(line, options);
}

// Decides how displays open; an exit code when the show cannot run at all.
std::optional<int> prepareDisplay(ShowOptions& options) {
    bool display = Sys_DisplayAvailable();
    if (!display && !options.videoMode) {
        std::fputs("triptych: no display is available (neither DISPLAY nor WAYLAND_DISPLAY is set, or the "
                   "video system cannot start there).\n"
                   "The show needs a screen; \"video\" renders it to AVI files without one.\n",
                   stderr);
        return failureExitCode;
    }
    if (!display && !options.noMenu) {
        // Nobody could use the menu: every piece is rendered.
        std::fputs(
            "triptych: no display is available: the start menu is skipped and every piece is rendered.\n",
            stderr);
        options.noMenu = true;
    }
    DisplayInput::setQuitHandler(onDisplayQuit);
    DisplayOptions::setWindowed(options.windowed);
    // Rendering without the menu shows nothing at all; with the menu, the menu is shown.
    DisplayOptions::setHidden(options.videoMode && options.noMenu);
    return std::nullopt;
}

// The catch-all's end of the show: a failure's own box first, if it has one, then "Error."
// (the terminal also gets what failed); no credits.
int endWithError(ShowSequence& sequence, const ShowFailure* failure, const std::string& cause) {
    sequence.closeDisplay();
    if (failure && !failure->noticeText().empty())
        Sys_MessageBox(failure->noticeText(), failure->noticeCaption(), MessageIcon::Stop);
    Sys_ErrorBox("Error.", "", cause);
    sequence.endAfterFailure();
    return failureExitCode;
}

} // namespace

int showMain(int argc, char** argv) {
    // The extracted clips go away at every normal exit.
    std::atexit(removeTempClipsAtExit);
    Sys_CatchQuitSignals();
    ShowOptions options;
    std::string line = CommandLine::join(argc, argv);
    if (auto code = readCommandLine(line, options)) return *code;
    if (auto code = prepareDisplay(options)) return *code;

    ShowSequence sequence(options);
    try {
        return sequence.run().exitCode();
    } catch (const ExceptionSpace::Exception& error) {
        sequence.closeDisplay();
        Sys_MessageBox(error.boxText(), "Error!", MessageIcon::Stop);
        sequence.endAfterFailure();
        return failureExitCode;
    } catch (const FatalFailure& failure) {
        // Video files that cannot be read or written, services that cannot start: the failure's
        // own box and exit code; the exit handlers finish the open render files.
        sequence.closeDisplay();
        Sys_ErrorBox(failure.boxText(), failure.caption(), failure.detail());
        return failure.exitCode();
    } catch (const ShowFailure& failure) {
        // The resources' error records, the sound's and the extraction's failures.
        return endWithError(sequence, &failure, failure.cause());
    } catch (const std::exception& error) {
        return endWithError(sequence, nullptr, error.what());
    } catch (...) {
        return endWithError(sequence, nullptr, "");
    }
}
