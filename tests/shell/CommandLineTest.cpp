// The command-line readers' substring rules and the platform additions.
#include "media/masters/AviEncoder.h"
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
    // Without "fps" the default; any digit counts, even inside another word, but never one in
    // a word that carries a value (codec=, seed=, pieces=); a minus sign in front of the first digit is not read; huge
    // numbers saturate and are refused later.
    const std::pair<const char*, int32_t> cases[] = {
        {"fps 30", 30},  {"fps", 25},         {"video 30", 25}, {"take2 fps 30", 2},
        {"FPS60", 60},   {"fps -5", 5},       {"fps 12.5", 12}, {"codec=h264 fps 30", 30},
        {"fps 0", 0},    {"fps 99999999999999", INT32_MAX}, {"seed=7 fps 30", 30},
        {"PIECES=1,3 Seed=12 fps", 25}, {"video/seed=9 fps 5 pieces=2", 5}};
    for (auto [line, rate] : cases) EXPECT_EQ(readFrameRate(line), rate) << line;
}

TEST(CommandLine, RangeAndCodecRefusals) {
    EXPECT_FALSE(checkFrameRate(1));
    EXPECT_FALSE(checkFrameRate(1000));
    ASSERT_TRUE(checkFrameRate(0));
    EXPECT_NE(checkFrameRate(0)->find("0"), std::string::npos);
    ASSERT_TRUE(checkFrameRate(1001));
    EXPECT_NE(checkFrameRate(1001)->find("1001"), std::string::npos);
    // The encoder's names are the ones accepted and the ones the refusal lists.
    for (const std::string& name : AviEncoder::codecNames()) {
        EXPECT_FALSE(checkCodec(name)) << name;
        ASSERT_TRUE(checkCodec("h264"));
        EXPECT_NE(checkCodec("h264")->find("codec=" + name), std::string::npos) << *checkCodec("h264");
    }
}

// Each value refused by PARSE gets a problem text that names the word as it was given.
template <typename Parse>
void expectRefusedByName(Parse parse, const std::string& word, std::initializer_list<const char*> values) {
    for (const char* bad : values) {
        std::string problem;
        EXPECT_FALSE(parse(bad, &problem)) << bad;
        EXPECT_NE(problem.find(word + bad), std::string::npos) << problem;
    }
}

TEST(CommandLine, SeedAndPiecesWordsAreReadOrRefusedByName) {
    std::string problem;
    EXPECT_FALSE(readSeedWord("video fps 30"));
    EXPECT_EQ(readSeedWord("video SEED=42 fps 30"), "42");
    EXPECT_EQ(parseSeed("0", &problem), 0u);
    EXPECT_EQ(parseSeed("4294967295", &problem), 4294967295u);
    expectRefusedByName(parseSeed, "seed=", {"", "-1", "4294967296", "12x", "99999999999"});

    EXPECT_EQ(readPiecesWord("nomenu pieces=1,3"), "1,3");
    using Chosen = std::array<bool, 3>;
    EXPECT_EQ(parsePieces("2", &problem), (Chosen{false, true, false}));
    EXPECT_EQ(parsePieces("3,1", &problem), (Chosen{true, false, true}));
    EXPECT_EQ(parsePieces("1,2,3", &problem), (Chosen{true, true, true}));
    expectRefusedByName(parsePieces, "pieces=", {"", "0", "4", "1,", ",1", "1,,2", "12", "1,1", "one", "1;3"});
}

TEST(CommandLine, DeliverIsASwitchOfItsOwnThatNeverGivesTheFrameRate) {
    // "deliver" matches like the other switches; "deliver=SIZE" is an added word, so the digits
    // of its size are never the frame rate.
    EXPECT_TRUE(readDeliverSwitch("nomenu deliver"));
    EXPECT_TRUE(readDeliverSwitch("/DELIVER"));
    EXPECT_FALSE(readDeliverSwitch("video nomenu"));
    EXPECT_FALSE(readDeliverSwitch("deliv er"));
    EXPECT_FALSE(readVideoSwitch("deliver")); // the shell makes it imply video
    EXPECT_EQ(readFrameRate("deliver fps 12 pieces=3"), 12);
    EXPECT_EQ(readFrameRate("deliver=4k fps"), 25);
    EXPECT_EQ(readFrameRate("DELIVER=1080p fps 12"), 12);
    EXPECT_TRUE(readDeliverSwitch("deliver=4k"));
    EXPECT_FALSE(readDeliverWord("nomenu deliver"));
    EXPECT_EQ(readDeliverWord("Deliver=4K nomenu"), "4k");
    std::string problem;
    EXPECT_EQ(parseDeliverHeight("4k", &problem), 2160);
    EXPECT_EQ(parseDeliverHeight("1080p", &problem), 1080);
    expectRefusedByName(parseDeliverHeight, "\"deliver=", {"", "8k", "1080", "4k,", "720p"});
    EXPECT_NE(usage().find("deliver"), std::string::npos);
}
