// The sound capture: bounded, only the attached channel's blocks, silence everywhere else.
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

TEST(AudioCapture, ReadsSilenceWhereNothingWasCapturedAndAfterAReset) {
    AudioCapture capture(1000);
    capture.attach(1);
    std::vector<uint8_t> block(10, 0x55);
    capture.append(1, block.data(), 10);
    std::vector<uint8_t> back(30, 0xEE);
    capture.read(5, back.data(), 30);
    EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.begin() + 5), std::vector<uint8_t>(5, 0x55));
    EXPECT_EQ(std::vector<uint8_t>(back.begin() + 5, back.end()), std::vector<uint8_t>(25, 0));
    capture.reset();
    EXPECT_EQ(capture.getWritePosition(), 0);
    capture.read(0, back.data(), 30);
    EXPECT_EQ(back, std::vector<uint8_t>(30, 0));
}
