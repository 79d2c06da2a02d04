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
    for (int i = 0; i < 100; ++i) EXPECT_EQ(ShowRandom::next(), first[size_t(i)]);}
