// Show times as the command line writes them, and the plans a range makes: which frames of which
// parts are written, what is only computed, and where a seek along the chosen parts lands.
#include "shell/CommandLine.h"
#include "shell/ShowRange.h"
#include "shell/ShowTime.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
constexpr int64_t s = 1000000; // microseconds in a second

// The frames of a render at 10 frames per second, as the pieces report them.
ShowTimeline tenFramesASecond() { return ShowTimeline::video(10, {{{42, 1151, 157}, {1403}, {1061}}}); }
} // namespace

TEST(ShowTime, ParsesSecondsAndMinutesAndRefusesEverythingElse) {
    const struct {
        const char* text;
        int64_t us; // -1: refused
    } cases[] = {{"140", 140 * s},      {"341.5", 341500000}, {"2:20", 140 * s},  {"4:24.8", 264800000},
                 {"0", 0},              {"0.000001", 1},      {"10:00", 600 * s}, {"1:05.25", 65250000},
                 {"", -1},              {"-5", -1},           {"1:5", -1},        {"1:60", -1},
                 {"1.", -1},            {".5", -1},           {"2:3x", -1},       {"1.1234567", -1},
                 {"1:2:03", -1},        {"9999999999999", -1}};
    for (const auto& each : cases) {
        auto parsed = ShowTime::parseMicroseconds(each.text);
        if (each.us < 0)
            EXPECT_FALSE(parsed) << each.text;
        else
            EXPECT_EQ(parsed.value_or(-1), each.us) << each.text;
    }
    EXPECT_EQ(ShowTime::format(264800000), "4:24.8");
    EXPECT_EQ(ShowTime::format(59999999), "0:59.9");
}

TEST(ShowTime, RefusalsNameTheWord) {
    std::string problem;
    EXPECT_FALSE(CommandLine::parseTime("from=", "-3", &problem));
    EXPECT_NE(problem.find("\"from=-3\" is negative"), std::string::npos) << problem;
    EXPECT_FALSE(CommandLine::parseTime("to=", "soon", &problem));
    EXPECT_NE(problem.find("\"to=soon\""), std::string::npos) << problem;
    EXPECT_TRUE(CommandLine::checkRange(60 * s, 60 * s, 380 * s)); // empty
    EXPECT_TRUE(CommandLine::checkRange(380 * s, std::nullopt, 380 * s)); // at the end
    EXPECT_FALSE(CommandLine::checkRange(379 * s, 999 * s, 380 * s)); // to past the end is the end
    EXPECT_EQ(CommandLine::withoutAddedWords("fps 5 from=1:30 to=2:00"), "fps 5  ");
}

TEST(ShowRange, VideoFramesInTheRangeAreWrittenAndTheOnesBeforeComputed) {
    const ShowTimeline timeline = tenFramesASecond();
    EXPECT_EQ(timeline.firstFrame[pieceTwoPart], 1350);
    // 3.05 s to 6 s: frames 31..41 of the opening and 0..17 of the main part.
    RangePlan plan = planRange(timeline, {true, true, true}, 3050000, 6 * s);
    EXPECT_EQ(plan.pieces[0][0].firstFrame, 31);
    EXPECT_EQ(plan.writtenFrames[openingPart], 11);
    EXPECT_EQ(plan.pieces[0][1].endFrame, 18);
    EXPECT_EQ(plan.writtenFrames[mainPart], 18);
    EXPECT_FALSE(plan.pieces[0][2].play); // the closing starts after the range
    EXPECT_TRUE(plan.runs[0]);
    EXPECT_FALSE(plan.runs[1] || plan.runs[2]);

    // Inside piece three: pieces one and two are computed whole so its random numbers are right,
    // and only its file is written, to the end however the last frame rounds.
    plan = planRange(timeline, {true, true, true}, 300 * s, timeline.endUs() + 5 * s);
    EXPECT_TRUE(plan.runs[0] && plan.runs[1] && plan.runs[2]);
    EXPECT_FALSE(plan.shows[0] || plan.shows[1]);
    EXPECT_FALSE(plan.pieces[1][0].write);
    EXPECT_EQ(plan.pieces[2][0].firstFrame, 3000 - 2753);
    EXPECT_EQ(plan.writtenFrames[pieceThreePart], 1061 - 247);
    // A piece not chosen is neither run nor written.
    plan = planRange(timeline, {false, true, true}, 300 * s, 301 * s);
    EXPECT_FALSE(plan.runs[0]);
    EXPECT_TRUE(plan.runs[1]);
    EXPECT_TRUE(planRange(timeline, {false, false, true}, 0, 10 * s).showsNothing());
}

TEST(ShowRange, LiveStartsAreTimesOnThePartsClocksAndAKnownStartNeedsNoLeadIn) {
    const ShowTimeline timeline = ShowTimeline::live();
    EXPECT_EQ(timeline.endUs(), 380528 * int64_t(1000));
    RangePlan plan = planRange(timeline, {true, true, true}, 150 * s, 160 * s);
    EXPECT_EQ(plan.pieces[1][0].startMs, 150000 - 134528);
    EXPECT_EQ(plan.pieces[1][0].endMs, 160000 - 134528);
    EXPECT_TRUE(plan.runs[0]); // piece two's start is reached through piece one
    EXPECT_EQ(plan.pieces[0][0].startMs, std::numeric_limits<int32_t>::max());
    plan = planRange(timeline, {true, true, true}, 150 * s, 160 * s, {true, true, false});
    EXPECT_FALSE(plan.runs[0]);
    EXPECT_FALSE(plan.runs[2]);
}

TEST(ShowRange, SeeksMoveAlongTheChosenPartsStayInTheRangeAndWrapWithLoop) {
    const ShowTimeline timeline = ShowTimeline::live();
    const std::array<bool, 3> oneAndThree = {true, false, true};
    const int64_t end = timeline.endUs(), pieceThree = timeline.startUs[pieceThreePart];
    const int64_t pieceOneEnd = timeline.startUs[pieceTwoPart];
    // Forward from piece one's last 4 s lands 6 s into piece three: piece two is passed over.
    EXPECT_EQ(moveWithinRange(timeline, oneAndThree, 0, end, pieceOneEnd - 4 * s, 10 * s, false), pieceThree + 6 * s);
    EXPECT_EQ(moveWithinRange(timeline, oneAndThree, 0, end, pieceThree + 6 * s, -10 * s, false), pieceOneEnd - 4 * s);
    // Never before from, never past to; with loop, past the end is from again.
    EXPECT_EQ(moveWithinRange(timeline, oneAndThree, 20 * s, 60 * s, 25 * s, -10 * s, false), 20 * s);
    EXPECT_EQ(moveWithinRange(timeline, oneAndThree, 20 * s, 60 * s, 55 * s, 10 * s, false), 60 * s);
    EXPECT_EQ(moveWithinRange(timeline, oneAndThree, 20 * s, 60 * s, 55 * s, 10 * s, true), 20 * s);
}
