// The sound capture: bounded, and only the attached channel's blocks, every block silenced.
#include "media/render/AudioCapture.h"

#include <gtest/gtest.h>

#include <vector>

TEST(AudioCapture, KeepsOnlyTheAttachedChannelAndSilencesEveryBlock) {
    AudioCapture capture(1000);
    capture.attach(3);
    std::vector<int16_t> mine(8, 1234), other(8, -77);
    AudioCapture::processBlock(3, mine.data(), 16, &capture);
    AudioCapture::processBlock(4, other.data(), 16, &capture);
    EXPECT_EQ(capture.getWritePosition(), 16);
    EXPECT_EQ(mine, std::vector<int16_t>(8, 0));
    EXPECT_EQ(other, std::vector<int16_t>(8, 0));
    std::vector<int16_t> back(8);
    capture.read(0, reinterpret_cast<uint8_t*>(back.data()), 16);
    EXPECT_EQ(back, std::vector<int16_t>(8, 1234));
    EXPECT_EQ(capture.takeCapturedSinceWait(), 16);
    EXPECT_EQ(capture.takeCapturedSinceWait(), 0);
}

TEST(AudioCapture, RefusesWhatWouldPassItsCapacity) {
    AudioCapture capture(100);
    capture.attach(1);
    std::vector<uint8_t> block(40, 9);
    EXPECT_TRUE(capture.append(1, block.data(), 40));
    EXPECT_TRUE(capture.append(1, block.data(), 40));
    EXPECT_FALSE(capture.hasOverflowed());
    EXPECT_FALSE(capture.append(1, block.data(), 40));
    EXPECT_TRUE(capture.hasOverflowed());
    EXPECT_EQ(capture.getWritePosition(), 80);
}
