// The archive's three clips, decoded with FFmpeg frame by frame from the first frame: the sizes,
// rates, lengths and the moving, light-and-dark pictures that the pieces need, the same bytes on
// every run.
#include "clips/Clips.h"
#include "resources/FileArchive.h"
#include "resources/ShowClips.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace {
struct ClipFacts {
    int width = 0, height = 0, frames = 0;
    AVRational rate{0, 1};
    std::vector<int> keyframes;
    int movingFrames = 0; // frames that differ visibly from the one before
    long darkPixels = 0, lightPixels = 0, pixels = 0;
};

// Decodes every frame in order, as the show's clip reader does, converting each to 24-bit RGB.
ClipFacts decodeClip(const std::vector<uint8_t>& file) {
    char path[] = "/tmp/triptych-clip-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, file.data(), file.size()) != ssize_t(file.size())) throw std::runtime_error("temp file");
    close(fd);
    ClipFacts facts;
    AVFormatContext* format = nullptr;
    int opened = avformat_open_input(&format, path, nullptr, nullptr);
    std::remove(path);
    if (opened < 0) throw std::runtime_error("not a media file");
    avformat_find_stream_info(format, nullptr);
    int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) throw std::runtime_error("no video stream");
    AVStream* stream = format->streams[index];
    facts.rate = stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate;
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(codec, stream->codecpar);
    codec->thread_count = 1;
    if (avcodec_open2(codec, decoder, nullptr) < 0) throw std::runtime_error("decoder refused");
    facts.width = codec->width;
    facts.height = codec->height;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* scaler = nullptr;
    std::vector<uint8_t> rgb(size_t(facts.width) * size_t(facts.height) * 3), previous;
    auto take = [&] {
        while (avcodec_receive_frame(codec, frame) == 0) {
            if (frame->key_frame) facts.keyframes.push_back(facts.frames);
            scaler = sws_getCachedContext(scaler, frame->width, frame->height, AVPixelFormat(frame->format), facts.width,
                                          facts.height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
            uint8_t* planes[1] = {rgb.data()};
            int strides[1] = {facts.width * 3};
            sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
            long difference = 0;
            for (size_t i = 0; i < rgb.size(); i += 3) {
                int grey = (rgb[i] + rgb[i + 1] + rgb[i + 2]) / 3;
                facts.darkPixels += grey < 70;
                facts.lightPixels += grey > 170;
                ++facts.pixels;
                if (!previous.empty()) difference += std::abs(int(rgb[i]) - int(previous[i]));
            }
            if (!previous.empty() && difference > long(rgb.size() / 3)) ++facts.movingFrames;
            ++facts.frames;
            previous = rgb;
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index && avcodec_send_packet(codec, packet) == 0) take();
        av_packet_unref(packet);
    }
    avcodec_send_packet(codec, nullptr);
    take();
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return facts;
}
} // namespace

TEST(Clips, InTheArchiveHaveTheSizesRatesAndLengthsThePiecesUse) {
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory("data.data"), 0) << "data.data in the build folder (made by datagen)";
    struct Need {
        const char* name;
        int width, height, fps, minimumFrames;
    };
    // 17.0 s and 11.1 s at 23 frames per second; 3.3 s at 29.
    for (const Need& need : {Need{showClips[flightClip].archiveName, 640, 160, 23, 391},
                             Need{showClips[tunnelClip].archiveName, 640, 160, 23, 256},
                             Need{showClips[solidsClip].archiveName, 320, 240, 29, 96}}) {
        SCOPED_TRACE(need.name);
        int32_t size = archive.getFileSize(need.name);
        ASSERT_GT(size, 0);
        std::unique_ptr<uint8_t[]> bytes(archive.getFile(need.name));
        ClipFacts facts = decodeClip(std::vector<uint8_t>(bytes.get(), bytes.get() + size));
        EXPECT_EQ(facts.width, need.width);
        EXPECT_EQ(facts.height, need.height);
        EXPECT_EQ(facts.rate.num, need.fps * facts.rate.den);
        EXPECT_GE(facts.frames, need.minimumFrames);
        ASSERT_FALSE(facts.keyframes.empty());
        EXPECT_EQ(facts.keyframes[0], 0);
        // The pieces greyscale, threshold and smear these: they need light and dark, and motion.
        EXPECT_GT(facts.darkPixels * 20, facts.pixels);
        EXPECT_GT(facts.lightPixels * 20, facts.pixels);
        EXPECT_GT(facts.movingFrames * 10, facts.frames * 9);
    }
    DataEntry first = Clips::compose(2), second = Clips::compose(2);
    EXPECT_EQ(first.name, showClips[solidsClip].archiveName);
    EXPECT_EQ(first.bytes, second.bytes) << "byte-identical from run to run";
}
