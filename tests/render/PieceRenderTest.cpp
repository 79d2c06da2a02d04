// Piece two rendered alone end to end ("pieces=2") at 2 frames per second: only its file, its
// frame count, the music captured in step with every frame, and another file from another seed.
#include "render/AviProbe.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

// Renders piece two alone into scratch with the seed word and checks its file; returns the probe.
AviProbe renderPieceTwo(const ScratchFolder& scratch, const char* seed) {
    ShowRun run = runShow(scratch.path(), {"video", "nomenu", "pieces=2", "fps", "2", "codec=mjpeg", seed});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* other : {"piece_pre1.avi", "piece_1.avi", "piece_3.avi"})
        EXPECT_FALSE(std::filesystem::exists(scratch.file(other))) << other;
    AviProbe probe = probeAvi(scratch.file("piece_2.avi"));
    EXPECT_EQ(firstFrameOutOfStep(probe, 2), -1) << run.output;
    EXPECT_NE(std::count(probe.audioBytes.begin(), probe.audioBytes.end(), 0),
              std::ptrdiff_t(probe.audioBytes.size()))
        << "the music is captured, not silence";
    return probe;
}

TEST(PieceRender, PieceTwoAloneWithItsMusicAndAnotherFileForAnotherSeed) {
    ScratchFolder first, other;
    REQUIRE_SHOW_DATA(first);
    REQUIRE_SHOW_DATA(other);
    // Frame n (from 1) lies at 35.5 x (n - 1) units, truncated; frame 282 (9975 units, past
    // 140000 ms) is the last one shown, frame 0 and 1 both lie at 0.
    EXPECT_EQ(renderPieceTwo(first, "seed=5").videoFrames, 283);
    // The seed draws the jitter, noise lines and bands.
    renderPieceTwo(other, "seed=6");
    EXPECT_FALSE(readFileBytes(first.file("piece_2.avi")) == readFileBytes(other.file("piece_2.avi")));
}

} // namespace
