// The render mode end to end: the show's program renders piece one into its three files,
// without display or sound device, the same way every time; a cancelled render leaves finished
// files; bad words and unwritable places are refused with their messages.
#include "render/AviProbe.h"
#include "render/RenderTestSupport.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const char* const pieceOneFiles[] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi"};

bool anyAviIn(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".avi") return true;
    return false;
}

// A folder holding a link to the show data; the test is skipped while there is none.
#define REQUIRE_SHOW_DATA(scratch)                                                                                     \
    do {                                                                                                               \
        std::string data = showDataPath();                                                                             \
        if (data.empty()) GTEST_SKIP() << "no data.data in the build folder yet";                                     \
        std::filesystem::create_symlink(data, (scratch).file("data.data"));                                            \
    } while (0)

// A file of piece one holds frames (none when a quit skipped its part), each after exactly its
// share of the sound, and the index that finishing the file writes.
void expectFinishedPartFile(const std::string& path, int32_t framesPerSecond, bool mayBeEmpty = false) {
    SCOPED_TRACE(path);
    AviProbe probe = probeAvi(path);
    ASSERT_TRUE(probe.opened);
    EXPECT_EQ(probe.width, 640);
    EXPECT_EQ(probe.height, 480);
    EXPECT_EQ(probe.videoCodec, "utvideo");
    ASSERT_TRUE(probe.hasAudio);
    if (!mayBeEmpty) {
        ASSERT_GT(probe.videoFrames, 0);
    }
    EXPECT_EQ(probe.audioSamples, probe.videoFrames * 44100 / framesPerSecond);
    for (size_t n = 0; n < probe.audioBeforeFrame.size(); ++n)
        ASSERT_EQ(probe.audioBeforeFrame[n], int64_t(n + 1) * 44100 / framesPerSecond) << "frame " << n;
    // The index at the end is only there when the file was finished.
    std::vector<uint8_t> bytes = readFileBytes(path);
    const char index[] = {'i', 'd', 'x', '1'};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), index, index + 4), bytes.end());
}

TEST(ShowRender, BadWordsAreRefusedBeforeAnyFileIsWritten) {
    for (std::vector<std::string> words : {std::vector<std::string>{"video", "nomenu", "codec=h264"},
                                           std::vector<std::string>{"video", "nomenu", "fps", "0"},
                                           std::vector<std::string>{"video", "nomenu", "fps", "5000"}}) {
        ScratchFolder scratch;
        ShowRun run = runShow(scratch.path(), words, {}, 60);
        EXPECT_NE(run.exitCode, 0) << run.output;
        EXPECT_FALSE(run.timedOut);
        EXPECT_FALSE(anyAviIn(scratch.path())) << words.back();
    }
}

TEST(ShowRender, PieceOneRendersTheSameFilesWithoutDisplayOrSoundDevice) {
    ScratchFolder first, second;
    REQUIRE_SHOW_DATA(first);
    REQUIRE_SHOW_DATA(second);
    ShowEnvironment nothingAtAll;
    nothingAtAll.noDisplay = true;
    ShowRun run = runShow(first.path(), {"video", "nomenu", "fps", "2"}, nothingAtAll);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char* name : pieceOneFiles) expectFinishedPartFile(first.file(name), 2);
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

TEST(ShowRender, AnInterruptedRenderLeavesFinishedFiles) {
    ScratchFolder scratch;
    REQUIRE_SHOW_DATA(scratch);
    // SIGINT while the main part is being written; whenever it lands, every file is complete.
    ShowRun run = runShow(scratch.path(), {"video", "nomenu"}, {}, 240, "piece_1.avi", 2'000'000);
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* name : pieceOneFiles) expectFinishedPartFile(scratch.file(name), 25, true);
}

TEST(ShowRender, AnUnwritablePlaceEndsTheShowWithTheOpenMessage) {
    ScratchFolder scratch;
    REQUIRE_SHOW_DATA(scratch);
    // A folder where the first file should go cannot be written, not even by root.
    std::filesystem::create_directory(scratch.file("piece_pre1.avi"));
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "fps", "5"}, {}, 120);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("Couldn't open avi file!"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(scratch.file("piece_1.avi")));
}

} // namespace
