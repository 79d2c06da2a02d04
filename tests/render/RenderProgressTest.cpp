// The whole render's progress over its planned files, and what the summary of a finished and of
// a cancelled render says of each file.
#include "media/progress/RenderProgress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

TEST(RenderProgressWhole, CountsFinishedPartsAndTheFramesOfTheCurrentOne) {
    RenderProgress progress;
    EXPECT_EQ(progress.wholePercent("piece_1.avi", 10), -1) << "no plan, no whole percent";
    progress.setPlan({{"a.avi", 10.0}, {"b.avi", 30.0}, {"c.avi", 60.0}}, 25);
    EXPECT_EQ(progress.wholePercent("a.avi", 125), 5);     // 5 s of 100
    EXPECT_EQ(progress.wholePercent("a.avi", 100000), 10); // a part never counts past its length
    EXPECT_EQ(progress.wholePercent("b.avi", 250), 20);    // 10 + 10
    EXPECT_EQ(progress.wholePercent("c.avi", 1500), 100);
    EXPECT_EQ(progress.wholePercent("other.avi", 5), -1);
}

TEST(RenderProgressSummary, ListsEachFileAndSaysWhenTheRenderWasCancelled) {
    const char* names[] = {"summary_a.avi", "summary_b.avi"};
    for (const char* name : names)
        std::ofstream(name) << std::string(2'000'000, 'x');
    RenderProgress progress;
    progress.setPlan({{names[0], 10.0}, {names[1], 10.0}}, 25);
    progress.report(names[0], 100, 250);
    progress.fileFinished(names[0], 250, 25);
    progress.report(names[1], 40, 100);
    progress.fileFinished(names[1], 100, 25);
    progress.fileFinished(names[1], 100, 25); // finishing twice lists the file once

    std::vector<std::string> finished = progress.summary(RenderProgress::Ending::finished);
    ASSERT_EQ(finished.size(), 4u); // the heading, each file once, the total
    for (const char* part : {"summary_a.avi", "250 frames", "10.00 s", "2.0 MB"})
        EXPECT_NE(finished[1].find(part), std::string::npos) << finished[1];
    EXPECT_EQ(finished[2].find("cut short"), std::string::npos);
    EXPECT_NE(finished[3].find("14.0 s of show"), std::string::npos) << finished[3];

    std::vector<std::string> cancelled = progress.summary(RenderProgress::Ending::cancelled);
    EXPECT_EQ(cancelled[1].find("cut short"), std::string::npos) << "the first file was whole";
    EXPECT_NE(cancelled[2].find("cut short"), std::string::npos) << cancelled[2];
    for (const char* name : names)
        std::remove(name);
}

} // namespace
