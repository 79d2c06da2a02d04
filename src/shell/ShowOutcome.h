// How a run of the show ended, and the exit status that tells a script so.
#pragma once

enum class ShowEnding {
    played,          // to its end; in video mode every planned file was written completely
    endedByViewer,   // Escape, closing the window or the menu's exit, live or before a render
    renderCancelled, // the viewer confirmed Cancel (or Escape, or closing the progress window)
    signalled,       // a quit signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT) ended it early
};

struct ShowOutcome {
    ShowEnding ending = ShowEnding::played;
    int signalNumber = 0; // for signalled

    // 0 for a show played or ended by the viewer, 130 for a cancelled render (the same stop as
    // Ctrl+C, by hand), 128 + N for signal N.
    int exitCode() const {
        switch (ending) {
        case ShowEnding::played:
        case ShowEnding::endedByViewer: return 0;
        case ShowEnding::renderCancelled: return 130;
        case ShowEnding::signalled: return 128 + signalNumber;
        }
        return 1;
    }
};

// The exit status of every failure that ends the show (missing or damaged data, a file that
// cannot be written); a FatalFailure carries its own (1, or 3 for services that cannot start).
inline constexpr int failureExitCode = 1;
// The exit status of a refused command line.
inline constexpr int refusedCommandLineExitCode = 2;
