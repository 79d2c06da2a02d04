// The command-line readers' substring rules and the platform additions.
#include "shell/CommandLine.h"

#include <gtest/gtest.h>

using namespace CommandLine;

TEST(CommandLine, KeywordsMatchAnywhereInAnyCase) {
    EXPECT_TRUE(readVideoSwitch("/VIDEO"));
    EXPECT_TRUE(readVideoSwitch("makevideos"));
    EXPECT_FALSE(readVideoSwitch("vide o"));
    EXPECT_TRUE(readMenuSwitch("NoMenu"));
    EXPECT_FALSE(readMenuSwitch("no menu"));
}

TEST(CommandLine, FrameRateTakesTheFirstDigitsOfTheWholeLine) {
    EXPECT_EQ(readFrameRate("fps 30"), 30);
    EXPECT_EQ(readFrameRate("fps"), 25);
    EXPECT_EQ(readFrameRate("video 30"), 25); // digits without "fps" are ignored
    EXPECT_EQ(readFrameRate("take2 fps 30"), 2);
    EXPECT_EQ(readFrameRate("FPS60"), 60);
    EXPECT_EQ(readFrameRate("fps 99999999999999"), 2147483647); // saturates, refused later
}

TEST(CommandLine, KeywordsRunTogether) {
    const std::string line = "videofps12nomenu";
    EXPECT_TRUE(readVideoSwitch(line));
    EXPECT_EQ(readFrameRate(line), 12);
    EXPECT_TRUE(readMenuSwitch(line));
}

TEST(CommandLine, EmptyLineGivesDefaults) {
    EXPECT_FALSE(readVideoSwitch(""));
    EXPECT_EQ(readFrameRate(""), 25);
    EXPECT_FALSE(readMenuSwitch(""));
    EXPECT_FALSE(readWindowSwitch(""));
    EXPECT_EQ(readCodecName(""), "lossless");
}

TEST(CommandLine, JoinUsesSingleBlanks) {
    char program[] = "triptych", a[] = "video", b[] = "fps", c[] = "50";
    char* argv[] = {program, a, b, c};
    EXPECT_EQ(join(4, argv), "video fps 50");
    EXPECT_EQ(join(1, argv), "");
}

TEST(CommandLine, RangeAndCodecChecks) {
    EXPECT_FALSE(checkFrameRate(1));
    EXPECT_FALSE(checkFrameRate(1000));
    ASSERT_TRUE(checkFrameRate(0));
    EXPECT_NE(checkFrameRate(0)->find("0"), std::string::npos);
    ASSERT_TRUE(checkFrameRate(1001));
    EXPECT_NE(checkFrameRate(1001)->find("1001"), std::string::npos);
    EXPECT_EQ(readCodecName("video codec=MJPEG window"), "mjpeg");
    EXPECT_FALSE(checkCodec("mpeg"));
    EXPECT_TRUE(checkCodec("h264"));
    EXPECT_TRUE(readWindowSwitch("Window"));
}

TEST(CommandLine, FrameRateReadsDigitsOnlyAndLeavesRangeToTheCheck) {
    // Reading starts at the first digit, so a minus sign in front of it is not part of the number.
    EXPECT_EQ(readFrameRate("fps -5"), 5);
    EXPECT_EQ(readFrameRate("fps 0"), 0);
    EXPECT_TRUE(checkFrameRate(readFrameRate("fps 0")));
    // Any digit counts, even one inside another word such as a codec name.
    EXPECT_EQ(readFrameRate("codec=h264 fps 30"), 264);
    EXPECT_EQ(readFrameRate("fps 12.5"), 12);
}
