// Runs the show's program in a folder of its own for the end-to-end render tests.
#pragma once

#include <string>
#include <vector>

struct ShowRun {
    int exitCode = -1;   // -1 when the program did not exit normally
    bool timedOut = false;
    std::string output;  // stdout and stderr together
};

struct ShowEnvironment {
    bool headless = true;    // SDL's dummy video and audio drivers, no boxes
    bool noDisplay = false;  // in addition: DISPLAY and WAYLAND_DISPLAY unset, no SDL driver named
};

// Starts build/triptych with words in folder. When interruptWhenFileGrows names a file, SIGINT is
// sent once that file is larger than interruptAtBytes.
ShowRun runShow(const std::string& folder, const std::vector<std::string>& words, ShowEnvironment environment = {},
                int timeoutSeconds = 240, const std::string& interruptWhenFileGrows = "",
                long interruptAtBytes = 0);

// The default show data of the build folder, or "" when it has not been made yet.
std::string showDataPath();
