// The debug service: the level threshold of "debug.log", and its fatal error.
#include "platform/DebugServer.h"
#include "platform/FatalFailure.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {
// Runs each test in a fresh private directory, since the log file is written to the current one.
class DebugServerTest : public testing::Test {
protected:
    void SetUp() override {
        Sys_SetMessageBoxesEnabled(false);
        previous = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "debugserver-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        fs::current_path(directory);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(directory);
    }
    static std::string logText() {
        std::ifstream in("debug.log", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path previous, directory;
};
} // namespace

TEST_F(DebugServerTest, OnlyLinesAtOrAboveTheThresholdReachTheFile) {
    {
        std::ofstream("debug.log") << "left over from an earlier run\n";
        DebugServer log(11, 1);
        log.write("level ten", 10);
        log.write("level eleven", 11);
        // Each line is flushed at once, so the file is complete while the service still runs.
        EXPECT_EQ(logText(), "level eleven\n");
        log.write("level 127", 127);
        log.write("minus six", -6); // levels compare signed
    }
    EXPECT_EQ(logText(), "level eleven\nlevel 127\n");
    fs::remove("debug.log");
    DebugServer(11, 0).write("not kept", 99); // without file output no file is made
    EXPECT_FALSE(fs::exists("debug.log"));
}

TEST_F(DebugServerTest, FatalRaisesTheFatalErrorBoxWithExitCodeOne) {
    DebugServer log(11, 0);
    try {
        log.fatal("Error - something broke");
    } catch (const FatalFailure& failure) {
        EXPECT_EQ(failure.boxText(), "Error - something broke");
        EXPECT_EQ(failure.caption(), "Fatal error!");
        EXPECT_EQ(failure.exitCode(), 1);
    }
}
