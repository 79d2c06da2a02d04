// The sound system: decode lengths of streams and modules, the processing callback and the end of
// play. (Blocks that are not audio are the damaged-music script's and the hostile matrix's; that
// offline output is the same every run, the byte-equal renders show.)
#include "MediaTestSupport.h"

#include "media/sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace MediaTest;

namespace {

// Gathers everything the callback sees and silences it, as the render capture does.
struct Capture {
    std::vector<int16_t> samples;
    int blocks = 0;
    static void take(SoundHandle, int16_t* block, uint32_t length, void* user) {
        auto* capture = static_cast<Capture*>(user);
        capture->samples.insert(capture->samples.end(), block, block + length / 2);
        ++capture->blocks;
        std::memset(block, 0, length);
    }
    double seconds() const { return double(samples.size()) / 2 / 44100; }
};

class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        sound.shutdown();
        ASSERT_TRUE(sound.initialise(SoundOutput::Offline));
    }
    void TearDown() override { sound.shutdown(); }

    // Plays the channel from its start and renders blocks until it ends, checking that every
    // block reached the callback and none of it reached the mix.
    Capture playToEnd(SoundHandle channel, bool module, int32_t blockFrames = 1000) {
        Capture capture;
        sound.setProcessingCallback(channel, Capture::take, &capture);
        EXPECT_TRUE(module ? sound.playModule(channel) : sound.playStream(channel));
        std::vector<int16_t> mix(2 * size_t(blockFrames));
        int blocks = 0;
        for (; sound.isActive(channel) && blocks < 100000; ++blocks) {
            sound.renderOfflineBlock(blockFrames, mix.data());
            EXPECT_TRUE(std::all_of(mix.begin(), mix.end(), [](int16_t s) { return s == 0; }))
                << "a silenced block still reached the mix";
        }
        EXPECT_EQ(capture.blocks, blocks);
        EXPECT_FALSE(sound.isActive(channel));
        sound.setProcessingCallback(channel, nullptr, nullptr);
        return capture;
    }

    SoundSystem& sound = kept(); // one for the process, as the show has one
    static SoundSystem& kept() {
        static auto* system = new SoundSystem();
        return *system;
    }
    std::vector<uint8_t> module = makeModule();
};

} // namespace

TEST_F(SoundSystemTest, StreamsDecodeToTheirLengthAt44100HzStereo) {
    // Layer II at 44100 Hz stereo, and at 22050 Hz mono (resampled, and doubled to both sides)
    for (int rate : {44100, 22050}) {
        std::vector<uint8_t> bytes = makeMpegAudio(2.0, rate, rate == 44100 ? 2 : 1);
        SoundHandle stream = sound.createStream(bytes.data(), int64_t(bytes.size()));
        ASSERT_NE(stream, 0u) << rate;
        Capture capture = playToEnd(stream, false, 1764);
        EXPECT_NEAR(capture.seconds(), 2.0, 3 * 1152 / 44100.0) << rate << " Hz";
        EXPECT_GT(*std::max_element(capture.samples.begin(), capture.samples.end()), 8000) << rate << " Hz";
        for (size_t i = 0; rate == 22050 && i + 1 < capture.samples.size(); i += 2)
            ASSERT_EQ(capture.samples[i], capture.samples[i + 1]);
    }
}

TEST_F(SoundSystemTest, ModulesPlayOnceFromTheirStart) {
    SoundHandle music = sound.loadModule(module.data(), int64_t(module.size()));
    ASSERT_NE(music, 0u);
    EXPECT_FALSE(sound.isActive(music));
    // 64 rows of 6 ticks at tempo 125: 7.68 s, and the ring-out of the last note
    EXPECT_NEAR(playToEnd(music, true).seconds(), 7.75, 0.1);
    EXPECT_NEAR(playToEnd(music, true, 3000).seconds(), 7.75, 0.1) << "played again from the start";
    EXPECT_FALSE(sound.playStream(music)) << "a module is not a stream";
}
