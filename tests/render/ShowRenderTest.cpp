// The render mode end to end: the show's program renders piece one into its three files,
// without display or sound device, the same way every time; an interrupted render leaves
// finished files; bad words and unwritable places are refused with their messages.
#include "render/AviLayout.h"
#include "render/AviProbe.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

namespace {

const char* const pieceOneFiles[] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi"};

// A file of piece one holds frames (none when a quit skipped its part), each after exactly its
// share of the sound, and what finishing the file writes: the lengths in its headers and the index.
void expectFinishedPartFile(const std::string& path, const std::string& codec = "utvideo", bool mayBeEmpty = false) {
    SCOPED_TRACE(path);
    AviProbe probe = probeAvi(path);
    ASSERT_TRUE(probe.opened);
    EXPECT_EQ(probe.videoCodec, codec);
    if (!mayBeEmpty) {
        ASSERT_GT(probe.videoFrames, 0);
    }
    EXPECT_EQ(firstFrameOutOfStep(probe, 2), -1);
    AviLayout layout = readAviLayout(path);
    EXPECT_EQ(layout.riffSize + 8u, layout.fileSize);
    EXPECT_TRUE(layout.hasIndex);
    EXPECT_EQ(layout.indexedVideoChunks, probe.videoFrames);
    EXPECT_EQ(layout.totalFrames, probe.videoFrames);
    EXPECT_EQ(layout.streamLengths, (std::vector<uint32_t>{uint32_t(probe.videoFrames), uint32_t(probe.audioSamples)}));
}

TEST(ShowRender, BadWordsAreRefusedBeforeAnyFileIsWritten) {
    for (std::vector<std::string> words : {std::vector<std::string>{"video", "nomenu", "codec=h264"},
                                           std::vector<std::string>{"video", "nomenu", "fps", "0"},
                                           std::vector<std::string>{"video", "nomenu", "fps", "5000"}}) {
        ScratchFolder scratch;
        ShowRun run = runShow(scratch.path(), words, {}, 60);
        EXPECT_NE(run.exitCode, 0) << run.output;
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(std::filesystem::is_empty(scratch.path())) << words.back();
    }
}

TEST(ShowRender, PieceOneRendersTheSameFilesWithoutDisplayOrSoundDevice) {
    ScratchFolder first, second;
    REQUIRE_SHOW_DATA(first);
    REQUIRE_SHOW_DATA(second);
    ShowRun run = runShow(first.path(), {"video", "nomenu", "fps", "2"}, /*noDisplay=*/true);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    // The summary lists every file the render wrote.
    const size_t summary = run.output.find("Render finished:");
    ASSERT_NE(summary, std::string::npos) << run.output;
    for (const char* name : {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi", "piece_2.avi", "piece_3.avi"})
        EXPECT_NE(run.output.find(name, summary), std::string::npos) << name;
    for (const char* name : pieceOneFiles) expectFinishedPartFile(first.file(name));
    // Part lengths: 4028 ms, 115000 ms and 15500 ms; the first two frames of a part share time 0.
    EXPECT_NEAR(probeAvi(first.file("piece_pre1.avi")).videoFrames, 4.028 * 2 + 1, 2);
    EXPECT_NEAR(probeAvi(first.file("piece_1.avi")).videoFrames, 115 * 2 + 1, 2);
    EXPECT_NEAR(probeAvi(first.file("piece_post1.avi")).videoFrames, 15.5 * 2 + 1, 3);
    // The module of the main part is captured: its sound is not silence.
    std::vector<uint8_t> sound = probeAvi(first.file("piece_1.avi")).audioBytes;
    EXPECT_NE(std::count(sound.begin(), sound.end(), 0), std::ptrdiff_t(sound.size()));

    run = runShow(second.path(), {"video", "nomenu", "fps", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char* name : pieceOneFiles)
        EXPECT_TRUE(readFileBytes(first.file(name)) == readFileBytes(second.file(name))) << name;
}

// However a render is ended from outside (short of SIGKILL), every file written so far is
// finished: one quit signal, a second one right after, the terminal closing, a quit key.
TEST(ShowRender, AnInterruptedRenderLeavesFinishedFiles) {
    const std::vector<std::vector<int>> interruptions = {
        {SIGINT}, {SIGINT, SIGINT}, {SIGHUP}, {SIGQUIT, SIGTERM}};
    for (const std::vector<int>& signals : interruptions) {
        ScratchFolder scratch;
        REQUIRE_SHOW_DATA(scratch);
        SCOPED_TRACE("first signal " + std::to_string(signals.front()) + ", " + std::to_string(signals.size()) +
                     " in all");
        // While the main part is being written, a few frames in.
        ShowRun run = runShow(scratch.path(), {"video", "nomenu", "fps", "2", "codec=mjpeg"}, {}, 240,
                              {"piece_1.avi", 200'000, signals});
        ASSERT_FALSE(run.timedOut);
        // One signal ends the show the normal way, with 128 + its number as the exit status; a
        // second may end it at once, by its own number.
        if (signals.size() == 1) {
            EXPECT_EQ(run.exitCode, 128 + signals.front()) << run.output;
            // The summary says the render was cancelled and lists the file it cut short.
            const size_t summary = run.output.find("Render cancelled; finished files:");
            ASSERT_NE(summary, std::string::npos) << run.output;
            const size_t main = run.output.find("piece_1.avi", summary);
            ASSERT_NE(main, std::string::npos) << run.output;
            EXPECT_NE(run.output.find("(cut short)", main), std::string::npos) << run.output;
        } else
            EXPECT_TRUE(run.exitCode == 128 + signals.front() || run.exitCode == 128 + signals.back())
                << run.exitCode << run.output;
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
