// The show's generator reproduces the runtime's linear congruential sequence exactly.
#include "platform/ShowRandom.h"

#include <gtest/gtest.h>

TEST(ShowRandom, SequenceFromStateOneAndReseeding) {
    for (int round = 0; round < 2; ++round) {
        ShowRandom::seed(1);
        for (int value : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
            EXPECT_EQ(ShowRandom::next(), value);
    }
}
