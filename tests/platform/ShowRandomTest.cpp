// The show's generator reproduces the runtime's linear congruential sequence exactly.
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ShowRandom, SequenceFromStateOne) {
    ShowRandom::seed(1);
    const std::vector<int> expected = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(ShowRandom::next(), value);
}

TEST(ShowRandom, SeedRestartsTheSequence) {
    ShowRandom::seed(12345);
    std::vector<int> first;
    for (int i = 0; i < 100; ++i) first.push_back(ShowRandom::next());
    ShowRandom::seed(12345);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(ShowRandom::next(), first[size_t(i)]);
    // The state wraps modulo 2^32; values stay in 0..32767.
    ShowRandom::seed(0xFFFFFFFFu);
    EXPECT_EQ(ShowRandom::next(), int(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF));
    for (int i = 0; i < 10000; ++i) {
        int value = ShowRandom::next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}
