// Clip extraction: the private directory and its three files, removal at exit, on signals, on
// request and after a crash, and the cause each failure names.
#include "MediaTestSupport.h"

#include "platform/ShowFailure.h"
#include "platform/QuitRequest.h"
#include "platform/QuitSignals.h"
#include "resources/ArchiveWriter.h"
#include "resources/ClipExtraction.h"
#include "resources/ShowClips.h"
#include "resources/FileServer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

using namespace MediaTest;
namespace fs = std::filesystem;

namespace {

// Runs each test in a folder of its own holding data.data, with TMPDIR inside it.
class ClipExtractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousDirectory = fs::current_path();
        temporary = folder.file("tmp");
        fs::create_directory(temporary);
        setenv("TMPDIR", temporary.c_str(), 1);
        fs::current_path(folder.path());
    }
    void TearDown() override {
        removeTempClips();
        fs::current_path(previousDirectory);
        unsetenv("TMPDIR");
    }
    void writeArchive(int clipCount, uint8_t fill) {
        ArchiveWriter writer;
        for (int i = 0; i < clipCount; ++i)
            writer.add(showClips[i].archiveName, std::vector<uint8_t>(size_t(1000 + i * 77), uint8_t(fill + i)));
        ASSERT_EQ(writer.write("data.data"), "");
    }
    size_t leftInTemporary() {
        return size_t(std::distance(fs::directory_iterator(temporary), fs::directory_iterator()));
    }
    // Runs extraction and returns the code of the failure it raised (0 when none); `printed` gets
    // the failure's box and its cause.
    int extract() {
        FileServer server(nullptr, 200);
        try {
            extractClips(&server);
        } catch (const ShowFailure& failure) {
            printed = failure.noticeText() + "\n" + failure.cause();
            return failure.code();
        }
        return 0;
    }

    ScratchFolder folder;
    fs::path previousDirectory;
    std::string temporary, printed;
};

} // namespace

TEST_F(ClipExtractionTest, ClipsGoToAPrivateDirectoryAndAreRemovedAgain) {
    writeArchive(3, 10);
    ASSERT_EQ(extract(), 0);
    std::string directory = tempClipDirectory();
    ASSERT_EQ(directory.rfind(temporary + "/", 0), 0u) << directory;
    EXPECT_EQ(fs::status(directory).permissions(), fs::perms::owner_all);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readFileBytes(directory + showClips[i].fileName), std::vector<uint8_t>(size_t(1000 + i * 77), uint8_t(10 + i)));
    removeTempClips();
    EXPECT_EQ(leftInTemporary(), 0u);
    EXPECT_EQ(tempClipDirectory(), "");
}

TEST_F(ClipExtractionTest, EveryFailureNamesItsCauseAndRaisesOne) {
    // (No archive at all is the show's own end-to-end case, broken_clip_data.sh.)
    // a clip missing from the archive
    writeArchive(2, 1);
    ASSERT_EQ(extract(), 1);
    EXPECT_NE(printed.find("hxaaayqrvpj6duhqmbg3.tmp"), std::string::npos) << printed;

    // a temporary directory that cannot be made (TMPDIR names a file)
    removeTempClips();
    writeArchive(3, 1);
    writeFileBytes("not-a-directory", {1});
    setenv("TMPDIR", (folder.path() + "/not-a-directory").c_str(), 1);
    ASSERT_EQ(extract(), 1);
    EXPECT_NE(printed.find("not-a-directory"), std::string::npos) << printed;
}

namespace {

// Starts a child that extracts, writes "+" through the pipe once its clips are there and then
// waits. With the show's quit signals caught (and no frame loop polling the request) a signal
// only asks it to end, and it writes "!" to say it saw the request.
std::pair<pid_t, int> startChild(bool withHandler) {
    int channel[2];
    EXPECT_EQ(pipe(channel), 0);
    pid_t pid = fork();
    if (pid == 0) {
        alarm(30); // a child the test lost track of ends by itself
        if (withHandler) Sys_CatchQuitSignals();
        FileServer server(nullptr, 200);
        extractClips(&server);
        if (write(channel[1], "+", 1) != 1) _exit(21);
        for (bool told = false;; usleep(1000))
            if (Sys_IsQuitRequested() && !told) told = write(channel[1], "!", 1) == 1;
    }
    close(channel[1]);
    return {pid, channel[0]};
}

// The next byte the child writes; 0 when it ends without one.
char nextByte(int channel) {
    char byte = 0;
    return read(channel, &byte, 1) == 1 ? byte : 0;
}

} // namespace

TEST_F(ClipExtractionTest, SignalsRemoveTheDirectory) {
    writeArchive(3, 7);
    // nothing else handles the signal: the clips go and the process ends by the signal
    auto [plain, plainChannel] = startChild(false);
    ASSERT_EQ(nextByte(plainChannel), '+');
    ASSERT_EQ(leftInTemporary(), 1u);
    kill(plain, SIGTERM);
    int status = 0;
    waitpid(plain, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(leftInTemporary(), 0u);
    // the show's handler only asks it to end: the clips stay; a second signal ends it the quick
    // way, which removes them too
    auto [busy, busyChannel] = startChild(true);
    ASSERT_EQ(nextByte(busyChannel), '+');
    kill(busy, SIGTERM);
    EXPECT_EQ(nextByte(busyChannel), '!');
    EXPECT_EQ(leftInTemporary(), 1u) << "the first signal must leave the clips for the show";
    kill(busy, SIGTERM);
    waitpid(busy, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM);
    EXPECT_EQ(leftInTemporary(), 0u);
    close(plainChannel);
    close(busyChannel);
}

TEST_F(ClipExtractionTest, ACrashLeavesNothingBehind) {
    // A clip the reader refuses (exit code 1) is the show's own end-to-end case, broken_clip_data.sh.
    writeArchive(3, 0x42);
    EXPECT_DEATH((extract(), std::abort()), "");
    EXPECT_EQ(leftInTemporary(), 0u);
}
