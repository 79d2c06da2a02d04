// The render mode end to end: the show's program renders piece one into its three files,
// without display or sound device, the same way every time; an interrupted render leaves
// finished files; an unwritable place is refused with its message.
#include "render/AviLayout.h"
#include "render/AviProbe.h"
#include "render/ShowProcess.h"

#include "pieces/common/ShowParts.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace {

const int pieceOneParts[] = {openingPart, mainPart, closingPart};

// A file of piece one holds frames (none when a quit skipped its part), each after exactly its
// share of the sound, and what finishing the file writes: the lengths in its headers and the index.
void expectFinishedPartFile(const std::string& path, const std::string& codec = "utvideo", bool mayBeEmpty = false) {
    SCOPED_TRACE(path);
    AviProbe probe = probeAvi(path);
    ASSERT_EQ(probe.videoCodec, codec);
    ASSERT_TRUE(mayBeEmpty || probe.videoFrames > 0);
    EXPECT_EQ(firstFrameOutOfStep(probe, 2), -1);
    AviLayout layout = readAviLayout(path);
    EXPECT_EQ(layout.riffSize + 8u, layout.fileSize);
    EXPECT_EQ(layout.indexedVideoChunks, probe.videoFrames);
    EXPECT_EQ(layout.totalFrames, probe.videoFrames);
    EXPECT_EQ(layout.streamLengths, (std::vector<uint32_t>{uint32_t(probe.videoFrames), uint32_t(probe.audioSamples)}));
}

TEST(ShowRender, PieceOneRendersTheSameFilesWithoutDisplayOrSoundDevice) {
    ScratchFolder first, second;
    REQUIRE_SHOW_DATA(first);
    REQUIRE_SHOW_DATA(second);
    ShowRun run = runShow(first.path(), {"video", "nomenu", "fps", "2"}, /*noDisplay=*/true);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    // Each part of piece one as long as planned; the first two frames of a part share time 0.
    for (int k : pieceOneParts) {
        expectFinishedPartFile(first.file(showParts[k].fileName));
        EXPECT_NEAR(probeAvi(first.file(showParts[k].fileName)).videoFrames, showParts[k].seconds() * 2 + 1, 3);
    }

    run = runShow(second.path(), {"video", "nomenu", "fps", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (int k : pieceOneParts) {
        const std::string name = showParts[k].fileName;
        EXPECT_TRUE(readFileBytes(first.file(name)) == readFileBytes(second.file(name))) << name;
    }
}

// However a render is ended from outside (short of SIGKILL), every file written so far is
// finished: a quit signal of each kind, the terminal closing among them. (A second signal to a
// render stuck where nothing looks at the quit request: QuitSignalTest.)
TEST(ShowRender, AnInterruptedRenderLeavesFinishedFiles) {
    for (int signal : {SIGINT, SIGHUP, SIGQUIT, SIGTERM}) {
        ScratchFolder scratch;
        REQUIRE_SHOW_DATA(scratch);
        SCOPED_TRACE("signal " + std::to_string(signal));
        // While the main part is being written, a few frames in.
        ShowRun run = runShow(scratch.path(), {"video", "nomenu", "fps", "2", "codec=mjpeg"}, {}, 240,
                              {"piece_1.avi", 200'000, signal});
        // The show ends the normal way, with 128 + the signal's number as the exit status; the
        // summary says the render was cancelled and lists the file it cut short.
        EXPECT_EQ(run.exitCode, 128 + signal) << run.output;
        const size_t summary = run.output.find("Render cancelled; finished files:");
        ASSERT_NE(summary, std::string::npos) << run.output;
        const size_t main = run.output.find("piece_1.avi", summary);
        ASSERT_NE(main, std::string::npos) << run.output;
        EXPECT_NE(run.output.find("(cut short)", main), std::string::npos) << run.output;
        expectFinishedPartFile(scratch.file("piece_pre1.avi"), "mjpeg");
        expectFinishedPartFile(scratch.file("piece_1.avi"), "mjpeg");
        if (std::filesystem::exists(scratch.file("piece_post1.avi")))
            expectFinishedPartFile(scratch.file("piece_post1.avi"), "mjpeg", true);
    }
}

TEST(ShowRender, AnUnwritablePlaceEndsTheShowWithTheOpenMessage) {
    ScratchFolder scratch;
    REQUIRE_SHOW_DATA(scratch);
    // A folder where the first file should go cannot be written, not even by root.
    std::filesystem::create_directory(scratch.file("piece_pre1.avi"));
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "fps", "5"}, {}, 120);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("Couldn't open avi file! - 'Is a directory' (piece_pre1.avi)"), std::string::npos)
        << run.output;
    EXPECT_FALSE(std::filesystem::exists(scratch.file("piece_1.avi")));
}

} // namespace
