// Piece three rendered end to end by the show's program, alone ("pieces=3") at 2 frames per
// second: its frame count and the exact sound of every frame; and left out, it writes nothing.
#include "render/AviProbe.h"
#include "render/RenderTestSupport.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

bool linkShowData(const ScratchFolder& scratch) {
    std::string data = showDataPath();
    if (data.empty()) return false;
    std::filesystem::create_symlink(data, scratch.file("data.data"));
    return true;
}

TEST(PieceThreeRender, AloneAtTwoFramesPerSecondWithTheSoundOfEveryFrame) {
    ScratchFolder scratch;
    if (!linkShowData(scratch)) GTEST_SKIP() << "no data.data in the build folder yet";
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "pieces=3", "fps", "2", "codec=mjpeg"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(std::filesystem::exists(scratch.file("piece_1.avi")));
    AviProbe probe = probeAvi(scratch.file("piece_3.avi"));
    ASSERT_TRUE(probe.opened) << run.output;
    EXPECT_EQ(probe.width, 640);
    EXPECT_EQ(probe.height, 480);
    EXPECT_EQ(probe.rateNumerator, 2 * probe.rateDenominator);
    // Frames 0 and 1 at time 0, then one every 35.5 clock units until 106 s: 213 frames.
    EXPECT_GE(probe.videoFrames, 212);
    EXPECT_LE(probe.videoFrames, 214);
    ASSERT_TRUE(probe.hasAudio);
    EXPECT_EQ(probe.audioSamples, probe.videoFrames * 44100 / 2);
    for (size_t n = 0; n < probe.audioBeforeFrame.size(); ++n)
        ASSERT_EQ(probe.audioBeforeFrame[n], int64_t(n + 1) * 44100 / 2) << "frame " << n;
    // The music is captured: not silence.
    EXPECT_NE(std::count(probe.audioBytes.begin(), probe.audioBytes.end(), 0),
              std::ptrdiff_t(probe.audioBytes.size()));
}

TEST(PieceThreeRender, LeftOutItWritesNoFile) {
    ScratchFolder scratch;
    if (!linkShowData(scratch)) GTEST_SKIP() << "no data.data in the build folder yet";
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "pieces=2", "fps", "2", "codec=mjpeg"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(std::filesystem::exists(scratch.file("piece_3.avi")));
}

} // namespace
