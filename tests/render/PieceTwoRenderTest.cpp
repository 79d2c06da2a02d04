// Piece two rendered alone end to end: "pieces=2" writes only piece_2.avi, every frame with its
// share of the music, and the same seed gives the same file; left out, it writes nothing.
#include "render/AviProbe.h"
#include "render/RenderTestSupport.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

bool linkShowData(const ScratchFolder& folder) {
    const std::string data = showDataPath();
    if (!data.empty()) std::filesystem::create_symlink(data, folder.file("data.data"));
    return !data.empty();
}

std::vector<std::string> renderWords(const char* seed) {
    return {"video", "nomenu", "pieces=2", "fps", "2", "codec=mjpeg", seed};
}

TEST(PieceTwoRender, RendersAloneWithItsMusicAndTheSameFileForTheSameSeed) {
    ScratchFolder first, second, other;
    if (!linkShowData(first) || !linkShowData(second) || !linkShowData(other))
        GTEST_SKIP() << "no data.data in the build folder yet";
    ShowRun run = runShow(first.path(), renderWords("seed=5"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(std::filesystem::exists(first.file("piece_1.avi")));
    EXPECT_FALSE(std::filesystem::exists(first.file("piece_3.avi")));

    AviProbe probe = probeAvi(first.file("piece_2.avi"));
    ASSERT_TRUE(probe.opened);
    EXPECT_EQ(probe.videoCodec, "mjpeg");
    EXPECT_EQ(probe.width, 640);
    EXPECT_EQ(probe.height, 480);
    // Frame n (from 1) lies at 35.5 x (n - 1) units, truncated; frame 282 (9975 units, past
    // 140000 ms) is the last one shown, frame 0 and 1 both lie at 0.
    EXPECT_EQ(probe.videoFrames, 283);
    ASSERT_TRUE(probe.hasAudio);
    EXPECT_EQ(probe.audioSamples, probe.videoFrames * 44100 / 2);
    for (size_t n = 0; n < probe.audioBeforeFrame.size(); ++n)
        ASSERT_EQ(probe.audioBeforeFrame[n], int64_t(n + 1) * 44100 / 2) << "frame " << n;
    EXPECT_NE(std::count(probe.audioBytes.begin(), probe.audioBytes.end(), 0),
              std::ptrdiff_t(probe.audioBytes.size()));

    run = runShow(second.path(), renderWords("seed=5"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(readFileBytes(first.file("piece_2.avi")) == readFileBytes(second.file("piece_2.avi")));
    // The seed is what makes them equal: another one draws other jitter, noise lines and bands.
    run = runShow(other.path(), renderWords("seed=6"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(readFileBytes(first.file("piece_2.avi")) == readFileBytes(other.file("piece_2.avi")));
}

TEST(PieceTwoRender, LeftOutWhenNotChosen) {
    ScratchFolder scratch;
    if (!linkShowData(scratch)) GTEST_SKIP() << "no data.data in the build folder yet";
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "pieces=1,3", "fps", "1", "codec=mjpeg"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(std::filesystem::exists(scratch.file("piece_1.avi")));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("piece_2.avi")));
}

} // namespace
