// Piece two's filters on small hand-computed lines: the smear's two phases and its subtraction
// across the line start, its noise at 0, the threshold table and its pass, and the stages on a
// doubled store. (Which group the show clock calls for, and the band, TimelineTest shows.)
#include "PieceTwoTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace PieceTwoTest;

namespace {

// A store of grey pixels (the three colour bytes equal, byte 3 = 0x77) given by their levels.
std::vector<uint8_t> greyPixels(const std::vector<int>& levels) {
    std::vector<uint8_t> store;
    for (int level : levels)
        store.insert(store.end(), {uint8_t(level), uint8_t(level), uint8_t(level), 0x77});
    return store;
}

TEST(PieceTwoFilters, LineSmearByHand) {
    struct Case {
        const char* name;
        std::vector<int> levels; // the pixels before the line, then the line
        size_t lineStart;
        int32_t radius, divisor;
        std::vector<int> smeared;
    };
    const Case cases[] = {
        // Radius 1: no add-only phase; the pixel before the line start is taken off first.
        {"radius 1", {30, 90, 60, 0, 120}, 1, 1, 3, {20, 33, 22, 55}},
        // Radius 4: pixels 0 and 1 only add; then the two pixels before the line come off,
        // then the line's own smeared pixels 0 and 1.
        {"radius 4", {40, 50, 90, 90, 90, 90, 0, 0}, 2, 4, 9, {10, 20, 25, 30, 28, 26}},
        // A sum driven below zero stays there and is written as 0.
        {"negative sum", {200, 0, 30, 255}, 1, 1, 3, {0, 0, 28}},
        // The first line of a store has nothing before it to take off.
        {"store start", {90, 60}, 0, 1, 3, {30, 40}},
    };
    // Noise of amplitude 0 changes no pixel and does not move its generator; the pixels before
    // the line and byte 3 stay as they were.
    for (const Case& c : cases)
        for (bool noisy : {false, true}) {
            std::vector<uint8_t> store = greyPixels(c.levels);
            std::vector<int> expected(c.levels.begin(), c.levels.begin() + long(c.lineStart));
            expected.insert(expected.end(), c.smeared.begin(), c.smeared.end());
            SmearNoise noise;
            smearLine(store.data() + c.lineStart * 4, store.data(), int32_t(c.smeared.size()), c.radius,
                      c.divisor, noisy ? &noise : nullptr, 0);
            EXPECT_EQ(store, greyPixels(expected)) << c.name;
            EXPECT_EQ(noise.getState(), SmearNoise().getState()) << c.name;
        }
}

TEST(PieceTwoFilters, ExactDividerAgreesWithDivision) {
    uint32_t sample = 12345;
    for (uint32_t divisor : {1u, 2u, 3u, 5u, 7u, 201u, 255u, 701u, 65535u, 65537u, 1u << 30, 2147483647u}) {
        ExactDivider by(divisor);
        // The edges around the divisor and the top of the range, then a spread of others.
        std::vector<uint32_t> numbers = {0u, 1u, divisor - 1, divisor, divisor + 1, 163200u, 2147483646u};
        for (int k = 0; k < 20000; ++k)
            numbers.push_back((sample = sample * 1103515245u + 12345u) >> 1);
        numbers.push_back(2147483647u);
        for (uint32_t n : numbers) {
            if (n > 2147483647u) continue;
            ASSERT_EQ(by.quotient(n), n / divisor) << n << " / " << divisor;
            ASSERT_EQ(by.remainder(n), n % divisor) << n << " % " << divisor;
        }
    }
}

TEST(PieceTwoFilters, ThresholdTableAndItsPassOverEveryColourByte) {
    // 37 pixels a line (four-pixel steps and a remainder), doubled, every byte value present.
    constexpr int32_t width = 37, lines = 5;
    std::vector<uint8_t> original(size_t(width) * 2 * lines * 4);
    for (size_t i = 0; i < original.size(); ++i)
        original[i] = uint8_t(i * 13 + i / 256);
    FilterTracks tracks;
    PieceTwoFilters filters(tracks);
    struct Case {
        float level;
        int firstKept; // 256: nothing kept
    };
    for (Case c :
         {Case{0.0f, 51}, Case{-0.5f, 51}, Case{0.3f, 73}, Case{0.5f, 102}, Case{0.7592157f, 212},
          Case{0.79f, 243}, Case{0.8f, 256}, Case{0.8627451f, 256}, Case{1.0f, 256}, Case{2.0f, 256}}) {
        filters.buildThresholdTable(c.level);
        const auto& table = filters.getThresholdTable();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(table[size_t(i)], i >= c.firstKept ? i : 0) << c.level << " " << i;
        std::vector<uint8_t> store = original;
        clearBytesBelow(PictureLines{store.data(), width, lines, width * 2}, filters.getThresholdCut());
        for (size_t i = 0; i < store.size(); ++i) {
            const bool colour = (i / 4) % size_t(width * 2) < size_t(width) && i % 4 != 3;
            ASSERT_EQ(store[i], colour ? table[original[i]] : original[i]) << c.level << " byte " << i;
        }
    }
}

uint32_t clipColour(int32_t x) { return 0x00C08040u | uint32_t(x & 0x3F); }

// The stage on a doubled 640x240 store: grey clip lines smeared, threshold, the final fade.
struct StageFixture {
    StageFixture() : filters(tracks), frameBuffer(doubledStore(clipColour)) {
        buildSmearTracks(tracks);
        buildFilterTracks(tracks);
        frameBuffer->setTop(40);
    }
    uint32_t at(int32_t x, int32_t line) { return frameBuffer->getPixels32()[line * 1280 + x]; }
    FilterTracks tracks;
    PieceTwoFilters filters;
    std::unique_ptr<FrameBuffer> frameBuffer;
};

TEST(PieceTwoFilters, FirstStageSeedsAndDrawsOneJitterPerClipLine) {
    StageFixture stage;
    stage.filters.setSeed(7);
    // at 1000 ms: jitter 200, no noise yet
    stage.filters.applyFilters(1000, stage.frameBuffer.get(), BandValues{});
    stage.filters.applyFilters(1000, stage.frameBuffer.get(), BandValues{}); // seeds no more
    const int drawn = ShowRandom::next();
    ShowRandom::seed(7);
    for (int line = 0; line < 2 * 160; ++line)
        ShowRandom::next(); // lines 40 to 199, twice
    EXPECT_EQ(ShowRandom::next(), drawn);
    // Lines outside the smear are only grey.
    EXPECT_EQ(stage.at(5, 0), 0x00818181u); // (0x45 + 0x80 + 0xC0) / 3
}

TEST(PieceTwoFilters, ThresholdStageStartsTheEnvelopeOnItsFirstFrame) {
    StageFixture stage;
    stage.filters.setSeed(7);
    stage.filters.applyFilters(70000, stage.frameBuffer.get(), BandValues{});
    // The envelope's first level keeps bytes from 212 up: 0xC0 and the rest go black.
    EXPECT_EQ(stage.at(5, 0), 0u);
    EXPECT_EQ(stage.filters.getThresholdCut(), 212);
}

TEST(PieceTwoFilters, FinalStageFadesToBlackAtTheEnd) {
    for (int32_t ms : {100000, 141000}) {
        StageFixture stage;
        stage.filters.applyFilters(ms, stage.frameBuffer.get(), BandValues{});
        // Before the fade the plain smear darkens the clip lines but leaves the others alone.
        EXPECT_EQ(stage.at(5, 0), ms < 130000 ? 0x00C08045u : 0u) << ms;
        EXPECT_EQ(stage.at(600, 120) == 0, ms >= 140000) << ms;
        EXPECT_TRUE(linesBlack(stage.frameBuffer.get(), 640));
    }
}

} // namespace
