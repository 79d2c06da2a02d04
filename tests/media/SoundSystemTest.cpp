// The sound system in offline mode: decode lengths of streams and modules, the processing
// callback, the end of play, stopping, determinism, and blocks that are not audio.
#include "MediaTestSupport.h"

#include "media/SoundSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

using namespace MediaTest;

namespace {

class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        sound.shutdown();
        ASSERT_TRUE(sound.initialise(SoundOutput::Offline));
    }
    void TearDown() override { sound.shutdown(); }

    // Plays nothing new; renders blocks until the channel ends; returns the frames it produced.
    int64_t framesUntilEnd(SoundHandle channel, int32_t blockFrames = 1000) {
        struct Count {
            int64_t bytes = 0;
        } count;
        sound.setProcessingCallback(channel, [](SoundHandle, int16_t*, uint32_t length, void* user) {
            static_cast<Count*>(user)->bytes += length;
        }, &count);
        for (int guard = 0; sound.isActive(channel) && guard < 100000; ++guard) sound.renderOfflineBlock(blockFrames);
        sound.setProcessingCallback(channel, nullptr, nullptr);
        return count.bytes / 4;
    }

    SoundSystem& sound = SoundSystem::instance();
};

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
};

} // namespace

TEST_F(SoundSystemTest, StreamsDecodeToTheirLengthAt44100HzStereo) {
    // Layer II at 44100 Hz stereo, 22050 Hz mono (resampled and doubled to stereo)
    struct Case {
        int rate, channels;
    };
    for (Case c : {Case{44100, 2}, Case{22050, 1}}) {
        std::vector<uint8_t> mpeg = makeMpegAudio(2.0, c.rate, c.channels);
        ASSERT_FALSE(mpeg.empty());
        SoundHandle stream = sound.createStream(mpeg.data(), int64_t(mpeg.size()));
        ASSERT_NE(stream, 0u) << c.rate;
        ASSERT_TRUE(sound.playStream(stream));
        int64_t frames = framesUntilEnd(stream);
        EXPECT_NEAR(double(frames), 2.0 * 44100, 3 * 1152) << c.rate << " Hz, " << c.channels << " channels";
        EXPECT_FALSE(sound.isActive(stream));
    }
}

TEST_F(SoundSystemTest, MonoStreamsComeOutOnBothSides) {
    std::vector<uint8_t> mpeg = makeMpegAudio(0.5, 44100, 1);
    SoundHandle stream = sound.createStream(mpeg.data(), int64_t(mpeg.size()));
    ASSERT_NE(stream, 0u);
    Capture capture;
    sound.setProcessingCallback(stream, Capture::take, &capture);
    sound.playStream(stream);
    while (sound.renderOfflineBlock(4096)) {}
    ASSERT_GT(capture.samples.size(), 20000u);
    int loud = 0;
    for (size_t i = 0; i + 1 < capture.samples.size(); i += 2) {
        EXPECT_EQ(capture.samples[i], capture.samples[i + 1]);
        if (std::abs(capture.samples[i]) > 6000) ++loud;
    }
    EXPECT_GT(loud, 1000);
}

TEST_F(SoundSystemTest, ModulesPlayOnceToTheirEnd) {
    std::vector<uint8_t> module = makeModule();
    SoundHandle music = sound.loadModule(module.data(), int64_t(module.size()));
    ASSERT_NE(music, 0u);
    EXPECT_FALSE(sound.isActive(music));
    ASSERT_TRUE(sound.playModule(music));
    EXPECT_TRUE(sound.isActive(music));
    // 64 rows of 6 ticks at tempo 125: 7.68 s, and the ring-out of the last note
    EXPECT_NEAR(double(framesUntilEnd(music)), 7.75 * 44100, 0.1 * 44100);
    EXPECT_FALSE(sound.isActive(music));
    // played again it starts from the beginning
    ASSERT_TRUE(sound.playModule(music));
    EXPECT_NEAR(double(framesUntilEnd(music, 3000)), 7.75 * 44100, 0.1 * 44100);
    // a stream handle is not a module and the other way round
    EXPECT_FALSE(sound.playStream(music));
}

TEST_F(SoundSystemTest, TheCallbackSeesEveryBlockAndMaySilenceIt) {
    std::vector<uint8_t> mpeg = makeMpegAudio(1.0, 44100, 2);
    SoundHandle stream = sound.createStream(mpeg.data(), int64_t(mpeg.size()));
    ASSERT_NE(stream, 0u);
    Capture capture;
    sound.setProcessingCallback(stream, Capture::take, &capture);
    ASSERT_TRUE(sound.playStream(stream));
    std::vector<int16_t> mix(2 * 1764);
    int blocks = 0;
    bool silent = true;
    while (sound.isActive(stream)) {
        sound.renderOfflineBlock(1764, mix.data());
        ++blocks;
        for (int16_t s : mix) silent = silent && s == 0;
    }
    EXPECT_EQ(capture.blocks, blocks);
    EXPECT_TRUE(silent) << "a silenced block still reached the mix";
    EXPECT_NEAR(double(capture.samples.size()) / 2, 44100, 3 * 1152);
    int16_t peak = 0;
    for (int16_t s : capture.samples) peak = std::max<int16_t>(peak, int16_t(std::abs(s)));
    EXPECT_GT(peak, 8000);
}

TEST_F(SoundSystemTest, OfflineRenderingIsTheSameEveryRun) {
    std::vector<uint8_t> mpeg = makeMpegAudio(1.0, 44100, 2);
    std::vector<uint8_t> module = makeModule();
    auto render = [&] {
        sound.shutdown();
        sound.initialise(SoundOutput::Offline);
        SoundHandle stream = sound.createStream(mpeg.data(), int64_t(mpeg.size()));
        SoundHandle music = sound.loadModule(module.data(), int64_t(module.size()));
        sound.playStream(stream);
        sound.playModule(music);
        std::vector<int16_t> all, block(2 * 1000);
        for (int i = 0; i < 60; ++i) {
            sound.renderOfflineBlock(1000, block.data());
            all.insert(all.end(), block.begin(), block.end());
        }
        return all;
    };
    std::vector<int16_t> first = render();
    std::vector<int16_t> second = render();
    EXPECT_EQ(first, second);
    EXPECT_NE(std::count(first.begin(), first.end(), 0), std::ptrdiff_t(first.size()));
}

TEST_F(SoundSystemTest, StoppingSucceedsForEveryKnownChannelOnly) {
    std::vector<uint8_t> mpeg = makeMpegAudio(1.0, 44100, 2);
    SoundHandle stream = sound.createStream(mpeg.data(), int64_t(mpeg.size()));
    ASSERT_NE(stream, 0u);
    EXPECT_TRUE(sound.stop(stream)) << "a channel that never played";
    ASSERT_TRUE(sound.playStream(stream));
    sound.renderOfflineBlock(1000);
    EXPECT_TRUE(sound.stop(stream));
    EXPECT_FALSE(sound.isActive(stream));
    EXPECT_FALSE(sound.renderOfflineBlock(1000));
    EXPECT_TRUE(sound.stop(stream)) << "stopping twice";
    EXPECT_FALSE(sound.stop(0));
    EXPECT_FALSE(sound.stop(stream + 1000));
    EXPECT_FALSE(sound.isActive(0));
}

TEST_F(SoundSystemTest, BlocksThatAreNotAudioGiveNoHandle) {
    std::vector<uint8_t> noise(100000);
    uint32_t state = 99;
    for (uint8_t& byte : noise) byte = uint8_t((state = state * 1664525u + 1013904223u) >> 24);
    std::vector<uint8_t> mpeg = makeMpegAudio(1.0, 44100, 2);
    std::vector<uint8_t> module = makeModule();
    std::vector<uint8_t> text(5000, 'a');

    EXPECT_EQ(sound.createStream(nullptr, -1), 0u);
    EXPECT_EQ(sound.loadModule(nullptr, -1), 0u);
    EXPECT_EQ(sound.createStream(mpeg.data(), 0), 0u);
    EXPECT_EQ(sound.loadModule(module.data(), 0), 0u);
    EXPECT_EQ(sound.createStream(noise.data(), int64_t(noise.size())), 0u);
    EXPECT_EQ(sound.loadModule(noise.data(), int64_t(noise.size())), 0u);
    EXPECT_EQ(sound.createStream(text.data(), int64_t(text.size())), 0u);
    EXPECT_EQ(sound.loadModule(text.data(), int64_t(text.size())), 0u);
    EXPECT_EQ(sound.createStream(mpeg.data(), 3), 0u) << "a stream cut to its first bytes";
    EXPECT_EQ(sound.loadModule(module.data(), 600), 0u) << "a module cut inside its header";
}

TEST_F(SoundSystemTest, LiveOutputRunsWithoutADevice) {
    // SDL's dummy driver stands in where there is no sound card (the tests force it).
    sound.shutdown();
    ASSERT_TRUE(sound.initialise(SoundOutput::Live));
    EXPECT_FALSE(sound.renderOfflineBlock(100)) << "live output is not pulled by the caller";
    std::vector<uint8_t> mpeg = makeMpegAudio(0.2, 44100, 2);
    SoundHandle stream = sound.createStream(mpeg.data(), int64_t(mpeg.size()));
    ASSERT_NE(stream, 0u);
    Capture capture;
    sound.setProcessingCallback(stream, Capture::take, &capture);
    EXPECT_TRUE(sound.start());
    EXPECT_TRUE(sound.playStream(stream));
    // the device's thread pulls the sound until the stream ends (a generous guard, not a timing check)
    for (int waited = 0; sound.isActive(stream) && waited < 20000; ++waited) usleep(1000);
    EXPECT_FALSE(sound.isActive(stream));
    EXPECT_NEAR(double(capture.samples.size()) / 2, 0.2 * 44100, 2 * 1152);
    EXPECT_TRUE(sound.stop(stream));
    EXPECT_FALSE(sound.initialise(SoundOutput::Offline)) << "initialised twice";
}
