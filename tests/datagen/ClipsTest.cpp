// The clips: the encoder's output decodes with FFmpeg frame by frame from the first frame, in
// the right colours, and the archive's three clips have the sizes, rates, lengths and the moving,
// light-and-dark pictures that the pieces need.
#include "clips/ClipEncoder.h"
#include "clips/Clips.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {
struct MemoryFile {
    const std::vector<uint8_t>* bytes;
    int64_t position = 0;
};

int readMemory(void* opaque, uint8_t* buffer, int size) {
    auto* m = static_cast<MemoryFile*>(opaque);
    int64_t left = int64_t(m->bytes->size()) - m->position;
    if (left <= 0) return AVERROR_EOF;
    int n = int(std::min<int64_t>(left, size));
    std::memcpy(buffer, m->bytes->data() + m->position, size_t(n));
    m->position += n;
    return n;
}

int64_t seekMemory(void* opaque, int64_t offset, int whence) {
    auto* m = static_cast<MemoryFile*>(opaque);
    if (whence == AVSEEK_SIZE) return int64_t(m->bytes->size());
    if (whence == SEEK_CUR) offset += m->position;
    if (whence == SEEK_END) offset += int64_t(m->bytes->size());
    m->position = offset;
    return offset;
}

struct ClipFacts {
    int width = 0, height = 0, frames = 0;
    AVRational rate{0, 1};
    bool startsWithKeyframe = false;
    std::vector<int> keyframes;
    int movingFrames = 0;             // frames that differ visibly from the one before
    long darkPixels = 0, lightPixels = 0, pixels = 0;
    std::vector<std::vector<uint8_t>> firstFrames; // RGB of the first few frames
};

// Decodes every frame in order, as the show's clip reader does, converting each to 24-bit RGB.
ClipFacts decodeClip(const std::vector<uint8_t>& file) {
    ClipFacts facts;
    MemoryFile memory{&file};
    const int bufferSize = 1 << 16;
    auto* buffer = static_cast<uint8_t*>(av_malloc(bufferSize));
    AVIOContext* io = avio_alloc_context(buffer, bufferSize, 0, &memory, readMemory, nullptr, seekMemory);
    AVFormatContext* format = avformat_alloc_context();
    format->pb = io;
    if (avformat_open_input(&format, nullptr, nullptr, nullptr) < 0) throw std::runtime_error("not a media file");
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
            if (facts.frames == 0) facts.startsWithKeyframe = frame->key_frame != 0;
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
            previous = rgb;
            if (facts.firstFrames.size() < 3) facts.firstFrames.push_back(rgb);
            ++facts.frames;
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
    av_freep(&io->buffer);
    avio_context_free(&io);
    return facts;
}

std::vector<uint8_t> archiveEntry(const char* name) {
    static FileArchive archive;
    static int32_t status = archive.readDirectory("data.data");
    if (status != 0) throw std::runtime_error("couldn't read data.data in the build folder (run datagen)");
    int32_t size = archive.getFileSize(name);
    if (size < 0) throw std::runtime_error(std::string("no entry ") + name);
    std::unique_ptr<uint8_t[]> bytes(archive.getFile(name));
    return std::vector<uint8_t>(bytes.get(), bytes.get() + size);
}

// A test frame: red left third, green middle, blue right third, a white bar moving down.
std::vector<uint8_t> testFrame(int w, int h, int k) {
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
            int third = x * 3 / w;
            p[0] = third == 0 ? 220 : 20, p[1] = third == 1 ? 220 : 20, p[2] = third == 2 ? 220 : 20;
            if (y / 4 == k % (h / 4)) p[0] = p[1] = p[2] = 250;
        }
    return rgb;
}
} // namespace

TEST(ClipEncoder, WritesAnAviThatDecodesFrameByFrameInItsColours) {
    ClipEncoder encoder({96, 48, 25, 3, 23}, "test clip");
    for (int k = 0; k < 30; ++k) encoder.addFrame(testFrame(96, 48, k));
    ClipFacts facts = decodeClip(encoder.finish());
    EXPECT_EQ(facts.width, 96);
    EXPECT_EQ(facts.height, 48);
    EXPECT_EQ(facts.frames, 30);
    EXPECT_EQ(facts.rate.num * 1, facts.rate.den * 25);
    EXPECT_TRUE(facts.startsWithKeyframe);
    EXPECT_EQ(facts.keyframes, (std::vector<int>{0, 23}));
    // Channel order survives: red stays red, blue stays blue (away from the moving bar).
    const std::vector<uint8_t>& first = facts.firstFrames[0];
    const uint8_t* left = &first[(size_t(30) * 96 + 10) * 3];
    const uint8_t* right = &first[(size_t(30) * 96 + 85) * 3];
    EXPECT_GT(left[0], 180);
    EXPECT_LT(left[2], 70);
    EXPECT_GT(right[2], 180);
    EXPECT_LT(right[0], 70);
}

TEST(ClipEncoder, RefusesBadSizesAndFramesWithAMessage) {
    EXPECT_THROW(ClipEncoder({95, 48, 25, 3, 23}, "odd"), std::runtime_error);
    EXPECT_THROW(ClipEncoder({96, 48, 0, 3, 23}, "no rate"), std::runtime_error);
    ClipEncoder encoder({32, 32, 25, 3, 23}, "short frame");
    try {
        encoder.addFrame(std::vector<uint8_t>(10));
        FAIL() << "a short frame was taken";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("short frame"), std::string::npos);
    }
    encoder.finish();
    EXPECT_THROW(encoder.finish(), std::runtime_error);
    EXPECT_THROW(encoder.addFrame(std::vector<uint8_t>(32 * 32 * 3)), std::runtime_error);
}

TEST(Clips, InTheArchiveHaveTheSizesRatesAndLengthsThePiecesUse) {
    struct Need {
        const char* name;
        int width, height, fps, minimumFrames;
    };
    // 17.0 s and 11.1 s at 23 frames per second; 3.3 s at 29.
    const Need needs[] = {{"hxaaayqrvpj6duhqmbg1.tmp", 640, 160, 23, 391},
                          {"hxaaayqrvpj6duhqmbg2.tmp", 640, 160, 23, 256},
                          {"hxaaayqrvpj6duhqmbg3.tmp", 320, 240, 29, 96}};
    for (const Need& need : needs) {
        SCOPED_TRACE(need.name);
        ClipFacts facts = decodeClip(archiveEntry(need.name));
        EXPECT_EQ(facts.width, need.width);
        EXPECT_EQ(facts.height, need.height);
        EXPECT_EQ(facts.rate.num, need.fps * facts.rate.den);
        EXPECT_GE(facts.frames, need.minimumFrames);
        EXPECT_TRUE(facts.startsWithKeyframe);
        // The pieces greyscale, threshold and smear these: they need light and dark, and motion.
        EXPECT_GT(facts.darkPixels * 20, facts.pixels);
        EXPECT_GT(facts.lightPixels * 20, facts.pixels);
        EXPECT_GT(facts.movingFrames * 10, facts.frames * 9);
    }
}

TEST(Clips, AreByteIdenticalFromRunToRun) {
    DataEntry first = Clips::compose(2), second = Clips::compose(2);
    EXPECT_EQ(first.name, "hxaaayqrvpj6duhqmbg3.tmp");
    EXPECT_EQ(first.bytes, second.bytes);
    EXPECT_THROW(Clips::compose(3), std::runtime_error);
}
