// Runs the show's program in a folder of its own for the end-to-end render tests.
#pragma once

#include <string>
#include <vector>

struct ShowRun {
    int exitCode = -1; // -1 when the program did not exit normally or was killed at its time limit
    std::string output; // stdout and stderr together
};

// A signal sent once the file whenFileGrows is larger than atBytes (none: signal 0).
struct ShowInterruption {
    std::string whenFileGrows;
    long atBytes = 0;
    int signal = 0;
};

// Starts the build's triptych (TRIPTYCH_BUILD_DIR, else the working directory) with words in
// folder, without boxes, interrupting it as told. It runs on SDL's dummy video and audio drivers,
// or with noDisplay on none at all: DISPLAY and WAYLAND_DISPLAY unset, no SDL driver named.
ShowRun runShow(const std::string& folder, const std::vector<std::string>& words, bool noDisplay = false,
                int timeoutSeconds = 240, const ShowInterruption& interruption = {});

// Links the build folder's show data into folder; false (the test should skip) while there is none.
bool linkShowData(const std::string& folder);
// A test's first line when it needs the show data in scratch: skips it while there is none.
#define REQUIRE_SHOW_DATA(scratch)                                                                           \
    if (!linkShowData((scratch).path())) GTEST_SKIP() << "no data.data in the build folder yet"
// Whether signalNumber sent to process waits there, not yet taken by a handler.
bool isSignalPending(int process, int signalNumber);
