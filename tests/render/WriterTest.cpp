// The AVI writer with synthetic frames and sound: what goes in comes back out of the file, each
// frame with exactly its share of the sound; failures throw their message and file, and the files
// still open are finished at exit. (That the same input gives the same bytes, the renders show.)
#include "media/VideoFailure.h"
#include "media/masters/AudioCapture.h"
#include "media/masters/RenderFile.h"
#include "platform/DisplayPair.h"
#include "render/AviProbe.h"
#include "render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace {

constexpr SoundHandle testChannel = 7;

struct WriterTest : ::testing::Test {
    ScratchFolder scratch;
};

// The codec the files of a test are written in.
std::string codecName = "lossless";

RenderFileSettings settingsFor(const std::string& path, int32_t width, int32_t height, bool withAudio,
                               int32_t framesPerSecond, int32_t audioBits = 16) {
    return {path, width, height, framesPerSecond, codecName, withAudio, 44100, audioBits};
}

// What the show does with a failure that reaches it: the box text on stderr, exit code 1.
template <typename Work> void endLikeTheShow(Work work) {
    try {
        work();
    } catch (const VideoFailure& failure) {
        std::fprintf(stderr, "Error!: %s (%s)\n", failure.boxText().c_str(), failure.fileName().c_str());
        std::exit(1);
    }
}

// Writes frames of the synthetic pattern, with capturedSamples of synthetic sound available.
void renderFile(const std::string& path, int32_t width, int32_t height, int32_t framesPerSecond,
                int32_t frames, int64_t capturedSamples, bool withAudio = true) {
    RenderFile writer(settingsFor(path, width, height, withAudio, framesPerSecond), testOutput());
    std::vector<uint8_t> frame = syntheticFrame(width, height, 0);
    writer.readFramesFrom(frame.data(), testChannel);
    std::vector<uint8_t> sound = syntheticSound(0, capturedSamples);
    testOutput().getCapture().append(testChannel, sound.data(), uint32_t(sound.size()));
    for (int32_t n = 0; n < frames; ++n) {
        frame = syntheticFrame(width, height, n);
        writer.readFramesFrom(frame.data(), testChannel);
        writer.writeFrame(n * 100 / frames);
    }
}

TEST_F(WriterTest, EveryCodecWritesItsOwnStreamWithPcmSound) {
    // Lossless codecs give the frames back exactly and upright, at 66 pixels a row (not a whole
    // number of 4-pixel groups); lossy ones stay close to the picture.
    const struct {
        const char *name, *streamCodec;
        bool lossless;
    } codecs[] = {{"lossless", "utvideo", true}, {"utvideo", "utvideo", true}, {"ffv1", "ffv1", true},
                  {"mjpeg", "mjpeg", false},     {"mpeg", "mpeg4", false},     {"raw", "rawvideo", true}};
    for (const auto& codec : codecs) {
        SCOPED_TRACE(codec.name);
        codecName = codec.name;
        const int32_t width = codec.lossless ? 66 : 64;
        std::string path = scratch.file(std::string(codec.name) + ".avi");
        renderFile(path, width, 48, 25, 5, 5 * 1764);
        AviProbe probe = probeAvi(path, true);
        ASSERT_TRUE(probe.opened);
        EXPECT_EQ(probe.videoCodec, codec.streamCodec);
        EXPECT_EQ(probe.width, width);
        EXPECT_EQ(probe.height, 48);
        EXPECT_EQ(probe.rateNumerator, 25 * probe.rateDenominator);
        EXPECT_TRUE(probe.hasAudio);
        EXPECT_EQ(probe.sampleRate, 44100);
        EXPECT_EQ(probe.channels, 2);
        EXPECT_EQ(probe.blockAlign, 4);
        EXPECT_EQ(probe.audioSamples, 5 * 1764);
        ASSERT_EQ(probe.frames.size(), 5u);
        for (int32_t n = 0; n < 5; ++n) {
            std::vector<uint8_t> expected = syntheticFrame(width, 48, n);
            double difference = 0;
            for (size_t i = 0; i < expected.size(); ++i)
                difference += std::abs(expected[i] - probe.frames[n][i]);
            EXPECT_LE(difference / double(expected.size()), codec.lossless ? 0.0 : 24.0) << "frame " << n;
        }
    }
}

TEST_F(WriterTest, EachFrameIsPrecededByExactlyItsShareOfTheSound) {
    // 25 divides 44100; 24 and 30 do not, so frames alternate between two sample counts.
    for (int32_t rate : {25, 24, 30, 7}) {
        std::string path = scratch.file("sound" + std::to_string(rate) + ".avi");
        const int32_t frames = 20;
        const int64_t total = int64_t(frames) * 44100 / rate;
        renderFile(path, 32, 32, rate, frames, total);
        AviProbe probe = probeAvi(path);
        ASSERT_EQ(probe.videoFrames, frames) << rate;
        EXPECT_EQ(probe.audioSamples, total) << rate;
        for (int32_t n = 0; n < frames; ++n)
            EXPECT_EQ(probe.audioBeforeFrame[n], (int64_t(n) + 1) * 44100 / rate) << "fps " << rate << " frame " << n;
        EXPECT_TRUE(probe.audioBytes == syntheticSound(0, total)) << rate;
    }
}

TEST_F(WriterTest, SoundThatEndsEarlyIsFollowedBySilenceNeverByAnEarlierPart) {
    std::string first = scratch.file("first.avi");
    renderFile(first, 32, 32, 25, 10, 3 * 1764 + 100);
    AviProbe probe = probeAvi(first);
    ASSERT_EQ(probe.audioSamples, 10 * 1764);
    std::vector<uint8_t> expected = syntheticSound(0, 3 * 1764 + 100);
    expected.resize(size_t(10 * 1764 * 4), 0);
    EXPECT_TRUE(probe.audioBytes == expected);
    // Piece one restarts the capture between its parts; the next part's file must not pick up
    // the old sound where its own has ended.
    testOutput().getCapture().reset();
    std::string second = scratch.file("second.avi");
    renderFile(second, 32, 32, 25, 10, 0);
    probe = probeAvi(second);
    ASSERT_EQ(probe.audioSamples, 10 * 1764);
    EXPECT_TRUE(probe.audioBytes == std::vector<uint8_t>(probe.audioBytes.size(), 0));
}

TEST_F(WriterTest, HighFrameRatesKeepTheSoundInStepPastTheThirtyTwoBitRange) {
    // (frames + 1) x 44100 passes 2^31 after 48,695 frames: a part of 50 s at 1000 frames/s.
    codecName = "raw";
    std::string path = scratch.file("fast.avi");
    renderFile(path, 8, 8, 1000, 50000, 0);
    AviProbe probe = probeAvi(path);
    EXPECT_EQ(probe.videoFrames, 50000);
    EXPECT_EQ(probe.audioSamples, int64_t(50000) * 44100 / 1000);
    EXPECT_EQ(probe.audioBeforeFrame.back(), int64_t(50000) * 44100 / 1000);
}

TEST_F(WriterTest, AFileThatCannotTakeSoundIsWrittenWithoutIt) {
    std::string path = scratch.file("silent.avi");
    {
        // 8-bit sound is not offered, so the warning path runs.
        RenderFile writer(settingsFor(path, 32, 32, true, 25, 8), testOutput());
        EXPECT_FALSE(writer.isAudioEnabled());
        std::vector<uint8_t> frame = syntheticFrame(32, 32, 0);
        writer.readFramesFrom(frame.data(), testChannel);
        for (int n = 0; n < 4; ++n)
            writer.writeFrame(-1);
        EXPECT_EQ(writer.getFramesWritten(), 4);
        EXPECT_EQ(writer.getAudioSamplesWritten(), 0);
    }
    AviProbe probe = probeAvi(path);
    EXPECT_EQ(probe.videoFrames, 4);
    EXPECT_FALSE(probe.hasAudio);
}

TEST_F(WriterTest, FramesReadBackFromAFrameBufferLoseTheirFourthByte) {
    writeDisplaySettings(640, 480);
    FrameBuffer frameBuffer(32, 32, false);
    std::vector<uint8_t> expected = syntheticFrame(32, 32, 5);
    for (size_t pixel = 0; pixel < 32 * 32; ++pixel) {
        std::memcpy(frameBuffer.getPixels() + pixel * 4, &expected[pixel * 3], 3);
        frameBuffer.getPixels()[pixel * 4 + 3] = 0xAB;
    }
    std::string readBackPath = scratch.file("readback.avi");
    {
        RenderFile writer(settingsFor(readBackPath, 32, 32, false, 25), testOutput());
        writer.readFramesFrom(&frameBuffer, 0);
        writer.writeFrame(0);
    }
    AviProbe readBack = probeAvi(readBackPath, true);
    ASSERT_EQ(readBack.frames.size(), 1u);
    EXPECT_TRUE(readBack.frames[0] == expected);
}

// ---- failures: the show ends with the message, the file and exit code 1 ----

using WriterDeathTest = WriterTest;

TEST_F(WriterDeathTest, AnUnwritablePlaceEndsWithTheOpenMessage) {
    std::string missingFolder = scratch.file("no/such/folder/piece_1.avi");
    EXPECT_EXIT(endLikeTheShow([&] { RenderFile writer(settingsFor(missingFolder, 64, 48, true, 25), testOutput()); }),
                ::testing::ExitedWithCode(1),
                "Couldn't open avi file! - 'No such file or directory'.*piece_1.avi");
}

TEST_F(WriterDeathTest, AFullDiskEndsWithTheWriteMessageAndFinishesTheOtherFiles) {
    codecName = "raw";
    std::string good = scratch.file("good.avi");
    auto renderThenFail = [&] {
        // Kept open past the failure, as piece one keeps its files: the exit handler finishes it.
        auto* first = new RenderFile(settingsFor(good, 64, 48, true, 25), testOutput());
        std::vector<uint8_t> frame = syntheticFrame(64, 48, 0);
        first->readFramesFrom(frame.data(), 0);
        for (int n = 0; n < 3; ++n)
            first->writeFrame(-1);
        // /dev/full refuses every write with "No space left on device".
        RenderFile full(settingsFor("/dev/full", 640, 480, true, 25), testOutput());
        std::vector<uint8_t> big = syntheticFrame(640, 480, 0);
        full.readFramesFrom(big.data(), 0);
        for (int n = 0; n < 3; ++n)
            full.writeFrame(-1);
        full.finish();
    };
    EXPECT_EXIT(endLikeTheShow(renderThenFail), ::testing::ExitedWithCode(1),
                "Couldn't write to avi stream - 'No space left.*/dev/full");
    AviProbe probe = probeAvi(good);
    ASSERT_TRUE(probe.opened);
    EXPECT_EQ(probe.videoFrames, 3);
    EXPECT_EQ(probe.audioSamples, 3 * 1764);
}

TEST_F(WriterDeathTest, SoundBeyondTheCaptureBufferIsAClearError) {
    auto overfill = [&] {
        std::string path = scratch.file("long.avi");
        RenderFile writer(settingsFor(path, 32, 32, true, 25), testOutput());
        std::vector<uint8_t> frame = syntheticFrame(32, 32, 0);
        writer.readFramesFrom(frame.data(), testChannel);
        AudioCapture& capture = testOutput().getCapture();
        std::vector<uint8_t> block(1 << 20);
        while (capture.append(testChannel, block.data(), uint32_t(block.size()))) {
        }
        writer.writeFrame(0);
    };
    EXPECT_EXIT(endLikeTheShow(overfill), ::testing::ExitedWithCode(1),
                "Couldn't capture audio for avi stream");
}

TEST_F(WriterTest, AFileFinishedByItsDestructorKeepsItsFailureForTheShell) {
    EXPECT_FALSE(RenderFile::takeUnreportedFailure());
    {
        codecName = "raw";
        RenderFile full(settingsFor("/dev/full", 8, 8, false, 25), testOutput());
        std::vector<uint8_t> frame = syntheticFrame(8, 8, 0);
        full.readFramesFrom(frame.data(), 0);
        full.writeFrame(-1);
        codecName = "lossless";
    }
    std::optional<VideoFailure> failure = RenderFile::takeUnreportedFailure();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->boxText(), "Couldn't write to avi stream - 'No space left on device'");
    EXPECT_EQ(failure->fileName(), "/dev/full");
    EXPECT_FALSE(RenderFile::takeUnreportedFailure()); // reported once
}

} // namespace
