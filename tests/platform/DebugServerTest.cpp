// The debug service: the level threshold of "debug.log", and its fatal error.
#include "TestFiles.h"
#include "platform/DebugServer.h"
#include "platform/FatalFailure.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(DebugServer, OnlyLinesAtOrAboveTheThresholdReachTheFileAndFatalRaisesItsBox) {
    // The log file is written to the current folder: a scratch one.
    ScratchFolder scratch;
    const fs::path previous = fs::current_path();
    fs::current_path(scratch.path());
    Sys_SetMessageBoxesEnabled(false);
    {
        std::ofstream("debug.log") << "left over from an earlier run\n";
        DebugServer log(11, 1);
        log.write("level ten", 10);
        log.write("level eleven", 11);
        // Each line is flushed at once, so the file is complete while the service still runs.
        EXPECT_EQ(readFileText("debug.log"), "level eleven\n");
        log.write("level 127", 127);
        log.write("minus six", -6); // levels compare signed
    }
    EXPECT_EQ(readFileText("debug.log"), "level eleven\nlevel 127\n");
    fs::remove("debug.log");
    DebugServer quiet(11, 0);
    quiet.write("not kept", 99); // without file output no file is made
    EXPECT_FALSE(fs::exists("debug.log"));
    try {
        quiet.fatal("Error - something broke");
        ADD_FAILURE() << "fatal returned";
    } catch (const FatalFailure& failure) {
        EXPECT_EQ(failure.boxText(), "Error - something broke");
        EXPECT_EQ(failure.exitCode(), 1);
    }
    fs::current_path(previous);
}
