// The debug service: last-line memory, the level threshold of "debug.log", and its fatal exits.
#include "platform/DebugServer.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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
        fs::permissions(directory, fs::perms::owner_all);
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

TEST_F(DebugServerTest, WithoutFileOutputNoLogIsCreated) {
    {
        DebugServer log(11, 0);
        EXPECT_TRUE(log.isReady());
        EXPECT_EQ(log.getLastLine(), nullptr);
        log.write("{OImage::OImage()}: Done.", 99);
        EXPECT_STREQ(log.getLastLine(), "{OImage::OImage()}: Done.");
    }
    EXPECT_FALSE(fs::exists("debug.log"));
}

TEST_F(DebugServerTest, LastLineBufferGrowsButNeverShrinks) {
    DebugServer log(11, 0);
    log.write("short", 0);
    EXPECT_EQ(log.getLastLineLength(), 5);
    log.write("a much longer line", 0);
    EXPECT_STREQ(log.getLastLine(), "a much longer line");
    EXPECT_EQ(log.getLastLineLength(), 18);
    log.write("tiny", 0);
    EXPECT_STREQ(log.getLastLine(), "tiny");
    EXPECT_EQ(log.getLastLineLength(), 18);
    log.write(nullptr, 0);
    EXPECT_STREQ(log.getLastLine(), "");
}

TEST_F(DebugServerTest, OnlyLinesAtOrAboveTheThresholdReachTheFile) {
    {
        std::ofstream("debug.log") << "left over from an earlier run\n";
        DebugServer log(11, 1);
        log.write("level ten", 10);
        EXPECT_STREQ(log.getLastLine(), "level ten");
        log.write("level eleven", 11);
        // Each line is flushed at once, so the file is complete while the service still runs.
        EXPECT_EQ(logText(), "level eleven\n");
        log.write("level 127", 127);
    }
    EXPECT_EQ(logText(), "level eleven\nlevel 127\n");
}

TEST_F(DebugServerTest, ThresholdComparesSignedLevels) {
    DebugServer log(-5, 1);
    log.write("minus three", -3);
    log.write("minus six", -6);
    EXPECT_EQ(logText(), "minus three\n");
}

using DebugServerDeathTest = DebugServerTest;

TEST_F(DebugServerDeathTest, FatalExitsWithCodeOne) {
    DebugServer log(11, 0);
    EXPECT_EXIT(log.fatal("Error - something broke"), testing::ExitedWithCode(1),
                "Fatal error!: Error - something broke");
}

TEST_F(DebugServerDeathTest, UncreatableLogFileIsFatal) {
    if (geteuid() == 0) {
        // root may write anywhere; a directory named like the log file still blocks it
        fs::create_directory("debug.log");
    } else {
        fs::permissions(directory, fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_EXIT(DebugServer(11, 1), testing::ExitedWithCode(1), "Error - Can't create log-file! Aborting...");
}
