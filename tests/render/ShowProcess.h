// Runs the show's program in a folder of its own for the end-to-end render tests.
#pragma once

#include <string>
#include <vector>

struct ShowRun {
    int exitCode = -1; // -1 when the program did not exit normally
    bool timedOut = false;
    std::string output; // stdout and stderr together
};

struct ShowEnvironment {
    bool headless = true;   // SDL's dummy video and audio drivers, no boxes
    bool noDisplay = false; // in addition: DISPLAY and WAYLAND_DISPLAY unset, no SDL driver named
};

// Signals sent once the file whenFileGrows is larger than atBytes, one after the other: each as
// soon as the show has taken the one before (it is no longer pending), so none merge.
struct ShowInterruption {
    std::string whenFileGrows;
    long atBytes = 0;
    std::vector<int> signals;
};

// Starts build/triptych with words in folder, interrupting it as told.
ShowRun runShow(const std::string& folder, const std::vector<std::string>& words,
                ShowEnvironment environment = {}, int timeoutSeconds = 240,
                const ShowInterruption& interruption = {});

// The default show data of the build folder, or "" when it has not been made yet.
std::string showDataPath();
// Links the show data into folder; false (the test should skip) while there is none.
bool linkShowData(const std::string& folder);
// A test's first line when it needs the show data in scratch: skips it while there is none.
#define REQUIRE_SHOW_DATA(scratch)                                                                           \
    if (!linkShowData((scratch).path())) GTEST_SKIP() << "no data.data in the build folder yet"
// Whether signalNumber sent to process waits there, not yet taken by a handler.
bool isSignalPending(int process, int signalNumber);
