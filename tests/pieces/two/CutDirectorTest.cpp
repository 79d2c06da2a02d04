// Piece two's cut director: the end of the cut list, and how many cuts whole runs of the piece
// take at the rendered and live frame rates. (When its automatic and forced cuts fall,
// TimelineTest shows on the show clock.)
#include "PieceTwoTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace PieceTwoTest;

namespace {

TEST(PieceTwoCutDirector, TheCutThatUsesUpTheListEndsTheShowWithCodeZero) {
    CutDirector director;
    for (int i = 0; i < cutListLength - 1; ++i)
        director.advance(0.7f, CutDirector::listClip);
    try {
        director.advance(0.7f, CutDirector::listClip);
        FAIL() << "the 66th cut went through";
    } catch (const ShowFailure& failure) {
        EXPECT_EQ(failure.code(), 0);
    }
    EXPECT_EQ(director.currentPosition, 0.7f); // entry 65 itself was applied
    EXPECT_THROW(director.advance(0.7f, CutDirector::listClip), ShowFailure);
}

// Whole runs: rendered at the fastest rate (frame n at 71 / fps x (n - 1) clock units, the first two
// at 0, so the most frames per cut) and live at the 14 ms cap. Every run stays well inside the 66
// entries, so the error for an exhausted list is kept.
TEST(PieceTwoCutDirector, WholeRunsStayInsideTheCutList) {
    struct Case {
        const char* name;
        std::function<int32_t(int32_t)> timeOf;
    };
    auto rendered = [](int32_t fps) {
        return [fps](int32_t n) {
            Timer clock;
            clock.setTime(n == 0 ? 0 : int32_t(float(71.0 / double(fps) * double(n - 1))));
            return clock.getElapsedMs();
        };
    };
    auto live = [](int32_t periodMs) {
        return [periodMs](int32_t n) { return n * periodMs; };
    };
    for (const Case& run : {Case{"rendered at 1000 fps", rendered(1000)}, Case{"live at 14 ms", live(14)}}) {
        TimelineRig rig;
        int32_t frames = 0;
        try {
            while (rig.frameAt(run.timeOf(frames)) != -1)
                ++frames;
        } catch (const ShowFailure&) {
            ADD_FAILURE() << run.name << ": the cut list ran out";
        }
        // 20 cuts by the end of the first flashes, 16 at the second, automatic ones between.
        EXPECT_EQ(rig.director.getCutCursor(), 60) << run.name;
        EXPECT_GT(rig.nowMs, PieceTwoTimeline::endMs) << run.name;
    }
}

} // namespace
