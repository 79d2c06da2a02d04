// The sound capture: bounded, and only the attached channel's blocks, every block silenced.
#include "media/masters/AudioCapture.h"
#include "media/sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <vector>

TEST(AudioCapture, KeepsOnlyTheAttachedChannelAndSilencesEveryBlock) {
    SoundSystem sound;
    AudioCapture capture(sound, 1000);
    capture.attach(3);
    std::vector<int16_t> mine(8, 1234), other(8, -77);
    AudioCapture::processBlock(3, mine.data(), 16, &capture);
    AudioCapture::processBlock(4, other.data(), 16, &capture);
    EXPECT_EQ(mine, std::vector<int16_t>(8, 0));
    EXPECT_EQ(other, std::vector<int16_t>(8, 0));
    std::vector<int16_t> back(8);
    capture.read(0, reinterpret_cast<uint8_t*>(back.data()), 16);
    EXPECT_EQ(back, std::vector<int16_t>(8, 1234));
    EXPECT_EQ(capture.takeCapturedSinceWait(), 16);
    EXPECT_EQ(capture.takeCapturedSinceWait(), 0);
}

TEST(AudioCapture, DropsWrittenSoundSoALongPartStaysWithinItsCapacity) {
    const int64_t megabyte = 1 << 20;
    SoundSystem sound;
    AudioCapture capture(sound, 3 * megabyte);
    capture.attach(1);
    std::vector<uint8_t> block(size_t(megabyte), 5);
    int64_t consumed = 0;
    for (int k = 0; k < 10; ++k) { // ten megabytes through a three-megabyte buffer
        block[0] = uint8_t(k);
        ASSERT_TRUE(capture.append(1, block.data(), uint32_t(block.size()))) << "block " << k;
        std::vector<uint8_t> back(static_cast<size_t>(megabyte));
        capture.read(consumed, back.data(), megabyte);
        EXPECT_EQ(back[0], uint8_t(k));
        consumed += megabyte;
        capture.discardBefore(consumed);
    }
    EXPECT_FALSE(capture.hasOverflowed());
    std::vector<uint8_t> dropped(16, 1);
    capture.read(0, dropped.data(), 16);
    EXPECT_EQ(dropped, std::vector<uint8_t>(16, 0)) << "dropped sound reads as silence";
}
