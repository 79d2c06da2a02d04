// The command-line readers' substring rules and the platform additions.
#include "shell/CommandLine.h"

#include <gtest/gtest.h>

using namespace CommandLine;

TEST(CommandLine, KeywordsMatchAnywhereInAnyCaseEvenRunTogether) {
    EXPECT_TRUE(readVideoSwitch("/VIDEO"));
    EXPECT_TRUE(readVideoSwitch("makevideos"));
    EXPECT_FALSE(readVideoSwitch("vide o"));
    EXPECT_TRUE(readMenuSwitch("NoMenu"));
    EXPECT_FALSE(readMenuSwitch("no menu"));
    EXPECT_TRUE(readWindowSwitch("Window"));
    EXPECT_EQ(readCodecName("video codec=MJPEG window"), "mjpeg");

    const std::string line = "videofps12nomenu";
    EXPECT_TRUE(readVideoSwitch(line));
    EXPECT_EQ(readFrameRate(line), 12);
    EXPECT_TRUE(readMenuSwitch(line));

    EXPECT_FALSE(readVideoSwitch(""));
    EXPECT_EQ(readFrameRate(""), 25);
    EXPECT_FALSE(readMenuSwitch(""));
    EXPECT_FALSE(readWindowSwitch(""));
    EXPECT_EQ(readCodecName(""), "lossless");

    char program[] = "triptych", a[] = "video", b[] = "fps", c[] = "50";
    char* argv[] = {program, a, b, c};
    EXPECT_EQ(join(4, argv), "video fps 50"); // single blanks, without the program
    EXPECT_EQ(join(1, argv), "");
}

TEST(CommandLine, FrameRateTakesTheFirstDigitsOfTheWholeLine) {
    // Without "fps" the default; any digit counts, even inside another word; a minus sign in
    // front of the first digit is not read; huge numbers saturate and are refused later.
    const std::pair<const char*, int32_t> cases[] = {
        {"fps 30", 30},  {"fps", 25},         {"video 30", 25}, {"take2 fps 30", 2},
        {"FPS60", 60},   {"fps -5", 5},       {"fps 12.5", 12}, {"codec=h264 fps 30", 264},
        {"fps 0", 0},    {"fps 99999999999999", INT32_MAX}};
    for (auto [line, rate] : cases) EXPECT_EQ(readFrameRate(line), rate) << line;
}

TEST(CommandLine, RangeAndCodecRefusals) {
    EXPECT_FALSE(checkFrameRate(1));
    EXPECT_FALSE(checkFrameRate(1000));
    ASSERT_TRUE(checkFrameRate(0));
    EXPECT_NE(checkFrameRate(0)->find("0"), std::string::npos);
    ASSERT_TRUE(checkFrameRate(1001));
    EXPECT_NE(checkFrameRate(1001)->find("1001"), std::string::npos);
    EXPECT_FALSE(checkCodec("mpeg"));
    EXPECT_TRUE(checkCodec("h264"));
}
