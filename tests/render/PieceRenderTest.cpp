// Pieces two and three rendered alone end to end ("pieces=2", "pieces=3") at 2 frames per second:
// only the chosen piece's file, its frame count, the music captured in step with every frame, and
// for piece two the same file from the same seed and another from another.
#include "render/AviProbe.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

// Renders one piece alone into scratch and checks its file; returns the probe.
AviProbe renderAlone(const ScratchFolder& scratch, const char* pieces, const char* file, const char* seed) {
    std::vector<std::string> words = {"video", "nomenu", pieces, "fps", "2", "codec=mjpeg"};
    if (seed) words.push_back(seed);
    ShowRun run = runShow(scratch.path(), words);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* other : {"piece_1.avi", "piece_2.avi", "piece_3.avi"})
        EXPECT_EQ(std::filesystem::exists(scratch.file(other)), std::string(other) == file) << other;
    AviProbe probe = probeAvi(scratch.file(file));
    EXPECT_TRUE(probe.opened) << run.output;
    EXPECT_EQ(firstFrameOutOfStep(probe, 2), -1);
    EXPECT_NE(std::count(probe.audioBytes.begin(), probe.audioBytes.end(), 0),
              std::ptrdiff_t(probe.audioBytes.size()))
        << "the music is captured, not silence";
    return probe;
}

TEST(PieceRender, PieceTwoAloneWithItsMusicAndTheSameFileForTheSameSeed) {
    ScratchFolder first, second, other;
    REQUIRE_SHOW_DATA(first);
    REQUIRE_SHOW_DATA(second);
    REQUIRE_SHOW_DATA(other);
    // Frame n (from 1) lies at 35.5 x (n - 1) units, truncated; frame 282 (9975 units, past
    // 140000 ms) is the last one shown, frame 0 and 1 both lie at 0.
    EXPECT_EQ(renderAlone(first, "pieces=2", "piece_2.avi", "seed=5").videoFrames, 283);
    renderAlone(second, "pieces=2", "piece_2.avi", "seed=5");
    EXPECT_TRUE(readFileBytes(first.file("piece_2.avi")) == readFileBytes(second.file("piece_2.avi")));
    // The seed is what makes them equal: another one draws other jitter, noise lines and bands.
    renderAlone(other, "pieces=2", "piece_2.avi", "seed=6");
    EXPECT_FALSE(readFileBytes(first.file("piece_2.avi")) == readFileBytes(other.file("piece_2.avi")));
}

TEST(PieceRender, PieceThreeAloneWithTheSoundOfEveryFrame) {
    ScratchFolder scratch;
    REQUIRE_SHOW_DATA(scratch);
    // Frames 0 and 1 at time 0, then one every 35.5 clock units until 106 s: 213 frames.
    const int64_t frames = renderAlone(scratch, "pieces=3", "piece_3.avi", nullptr).videoFrames;
    EXPECT_GE(frames, 212);
    EXPECT_LE(frames, 214);
}

} // namespace
