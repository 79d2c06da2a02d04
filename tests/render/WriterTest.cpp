// The AVI writer with synthetic frames and sound: what goes in comes back out of the file, each
// frame with exactly its share of the sound; failures throw their message and file, and the files
// still open are finished at exit. (That the same input gives the same bytes, the renders show.)
#include "media/VideoFailure.h"
#include "media/masters/AudioCapture.h"
#include "media/masters/RenderFile.h"
#include "platform/DisplayPair.h"
#include "render/AviLayout.h"
#include "render/AviProbe.h"
#include "render/FilmProbe.h"
#include "render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace {

constexpr SoundHandle testChannel = 7;

// A frame of width x height x 3 bytes (blue, green, red, top row first) that differs in every
// row, column, channel and frame number.
std::vector<uint8_t> syntheticFrame(int32_t width, int32_t height, int32_t frameNumber) {
    std::vector<uint8_t> frame(size_t(width) * height * 3);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = &frame[(size_t(y) * width + x) * 3];
            pixel[0] = uint8_t(x * 3 + frameNumber);
            pixel[1] = uint8_t(y * 5);
            pixel[2] = uint8_t((x ^ y) + frameNumber * 40);
        }
    return frame;
}

// Stereo 16-bit sound whose every one of count sample frames is distinct.
std::vector<uint8_t> syntheticSound(int64_t count) {
    std::vector<uint8_t> sound(size_t(count) * 4);
    for (int64_t n = 0; n < count; ++n) {
        const uint16_t leftAndRight[2] = {uint16_t(n * 7), uint16_t(~n)};
        std::memcpy(&sound[size_t(n) * 4], leftAndRight, 4);
    }
    return sound;
}

// Writes frames of the synthetic pattern, with capturedSamples of synthetic sound available.
void writeFrames(RenderFile& writer, const RenderFileSettings& settings, int32_t frames,
                 int64_t capturedSamples = 0) {
    std::vector<uint8_t> frame = syntheticFrame(settings.width, settings.height, 0);
    writer.readFramesFrom(frame.data(), testChannel);
    std::vector<uint8_t> sound = syntheticSound(capturedSamples);
    testOutput().getCapture().append(testChannel, sound.data(), uint32_t(sound.size()));
    for (int32_t n = 0; n < frames; ++n) {
        frame = syntheticFrame(settings.width, settings.height, n);
        writer.readFramesFrom(frame.data(), testChannel);
        writer.writeFrame(n * 100 / frames);
    }
}

// A whole file of such frames, finished by the writer's destructor.
void renderFile(const RenderFileSettings& settings, int32_t frames, int64_t capturedSamples = 0) {
    RenderFile writer(settings, testOutput());
    writeFrames(writer, settings, frames, capturedSamples);
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

struct WriterTest : ::testing::Test {
    ScratchFolder scratch;
};

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
        const RenderFileSettings settings{.fileName = scratch.file(std::string(codec.name) + ".avi"),
                                          .width = codec.lossless ? 66 : 64,
                                          .height = 48,
                                          .codecName = codec.name};
        renderFile(settings, 5, 5 * 1764);
        AviProbe probe = probeAvi(settings.fileName);
        EXPECT_EQ(probe.videoCodec, codec.streamCodec);
        ASSERT_EQ(probe.videoFrames, 5);
        for (int32_t n = 0; n < 5; ++n) {
            const std::vector<uint8_t> expected = syntheticFrame(settings.width, 48, n);
            int32_t width = 0, height = 0;
            const std::vector<uint8_t> picture = decodePicture(settings.fileName, n, &width, &height);
            ASSERT_EQ(picture.size(), expected.size()) << width << "x" << height;
            double difference = 0;
            for (size_t i = 0; i < expected.size(); ++i)
                difference += std::abs(expected[i] - picture[i]);
            EXPECT_LE(difference / double(expected.size()), codec.lossless ? 0.0 : 24.0) << "frame " << n;
        }
    }
}

TEST_F(WriterTest, EachFrameIsPrecededByExactlyItsShareOfTheSound) {
    // 25 divides 44100; 24 and 30 do not, so frames alternate between two sample counts.
    for (int32_t rate : {25, 24, 30, 7}) {
        SCOPED_TRACE("fps " + std::to_string(rate));
        const std::string path = scratch.file("sound" + std::to_string(rate) + ".avi");
        const int64_t total = int64_t(20) * 44100 / rate;
        renderFile({.fileName = path, .width = 32, .height = 32, .framesPerSecond = rate}, 20, total);
        AviProbe probe = probeAvi(path);
        ASSERT_EQ(probe.videoFrames, 20);
        EXPECT_DOUBLE_EQ(probe.frameRate, rate);
        EXPECT_EQ(firstFrameOutOfStep(probe, rate), -1);
        EXPECT_TRUE(probe.audioBytes == syntheticSound(total));
    }
}

TEST_F(WriterTest, SoundThatEndsEarlyIsFollowedBySilenceNeverByAnEarlierPart) {
    const std::string first = scratch.file("first.avi"), second = scratch.file("second.avi");
    renderFile({.fileName = first, .width = 32, .height = 32}, 10, 3 * 1764 + 100);
    std::vector<uint8_t> expected = syntheticSound(3 * 1764 + 100);
    expected.resize(size_t(10 * 1764 * 4), 0);
    EXPECT_TRUE(probeAvi(first).audioBytes == expected);
    // Piece one restarts the capture between its parts; the next part's file must not pick up
    // the old sound where its own has ended.
    testOutput().getCapture().reset();
    renderFile({.fileName = second, .width = 32, .height = 32}, 10);
    EXPECT_TRUE(probeAvi(second).audioBytes == std::vector<uint8_t>(size_t(10 * 1764 * 4), 0));
}

TEST_F(WriterTest, HighFrameRatesKeepTheSoundInStepPastTheThirtyTwoBitRange) {
    // (frames + 1) x 44100 passes 2^31 after 48,695 frames: a part of 50 s at 1000 frames/s.
    const std::string path = scratch.file("fast.avi");
    renderFile({.fileName = path, .width = 8, .height = 8, .framesPerSecond = 1000, .codecName = "raw"}, 50000);
    AviProbe probe = probeAvi(path);
    EXPECT_EQ(probe.videoFrames, 50000);
    EXPECT_EQ(firstFrameOutOfStep(probe, 1000), -1);
}

TEST_F(WriterTest, FramesReadBackFromAFrameBufferLoseTheirFourthByte) {
    writeDisplaySettings(640, 480);
    FrameBuffer frameBuffer(32, 32, false);
    std::vector<uint8_t> expected = syntheticFrame(32, 32, 5);
    for (size_t pixel = 0; pixel < 32 * 32; ++pixel) {
        std::memcpy(frameBuffer.getPixels() + pixel * 4, &expected[pixel * 3], 3);
        frameBuffer.getPixels()[pixel * 4 + 3] = 0xAB;
    }
    const std::string path = scratch.file("readback.avi");
    {
        RenderFile writer({.fileName = path, .width = 32, .height = 32, .withAudio = false}, testOutput());
        writer.readFramesFrom(&frameBuffer, 0);
        writer.writeFrame(0);
    }
    int32_t width = 0, height = 0;
    EXPECT_TRUE(decodePicture(path, 0, &width, &height) == expected);
}

using WriterDeathTest = WriterTest;

TEST_F(WriterDeathTest, AFullDiskEndsWithTheWriteMessageAndFinishesTheOtherFiles) {
    const RenderFileSettings good{.fileName = scratch.file("good.avi"), .width = 64, .height = 48, .codecName = "raw"};
    auto renderThenFail = [&] {
        // Kept open past the failure, as piece one keeps its files: the exit handler finishes it.
        auto* first = new RenderFile(good, testOutput());
        writeFrames(*first, good, 3);
        // /dev/full refuses every write with "No space left on device"; one small frame fails
        // only when the destructor finishes the file, which keeps the failure for the shell.
        renderFile({.fileName = "/dev/full", .width = 8, .height = 8, .codecName = "raw", .withAudio = false}, 1);
        if (std::optional<VideoFailure> failure = RenderFile::takeUnreportedFailure()) throw *failure;
    };
    EXPECT_EXIT(endLikeTheShow(renderThenFail), ::testing::ExitedWithCode(1),
                "Couldn't write to avi stream - 'No space left on device' \\(/dev/full\\)");
    AviLayout layout = readAviLayout(good.fileName);
    EXPECT_EQ(layout.riffSize + 8u, layout.fileSize);
    EXPECT_EQ(layout.indexedVideoChunks, 3u);
    EXPECT_EQ(layout.streamLengths, (std::vector<uint32_t>{3, 3 * 1764}));
}

TEST_F(WriterDeathTest, SoundBeyondTheCaptureBufferIsAClearError) {
    auto overfill = [&] {
        RenderFile writer({.fileName = scratch.file("long.avi"), .width = 32, .height = 32}, testOutput());
        std::vector<uint8_t> frame = syntheticFrame(32, 32, 0);
        writer.readFramesFrom(frame.data(), testChannel);
        std::vector<uint8_t> block(1 << 20);
        while (testOutput().getCapture().append(testChannel, block.data(), uint32_t(block.size()))) {
        }
        writer.writeFrame(0);
    };
    EXPECT_EXIT(endLikeTheShow(overfill), ::testing::ExitedWithCode(1), "Couldn't capture audio for avi stream");
}

} // namespace
