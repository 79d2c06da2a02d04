// Test material for the media suite, made with libavcodec and by hand.
#include "MediaTestSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <cmath>
#include <cstring>

namespace MediaTest {

namespace {

// Sends the frame (null: the end) and hands every packet the encoder has ready to `take`.
bool encode(AVCodecContext* encoder, AVFrame* frame, const std::function<bool(AVPacket*)>& take) {
    if (avcodec_send_frame(encoder, frame) < 0) return false;
    AVPacket* packet = av_packet_alloc();
    bool ok = true;
    int result;
    while ((result = avcodec_receive_packet(encoder, packet)) == 0) {
        ok = take(packet) && ok;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return ok && (result == AVERROR(EAGAIN) || result == AVERROR_EOF);
}

} // namespace

bool writeClip(const std::string& path, int width, int height, int framesPerSecond, int frameCount,
               const PixelColour& colour) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_FFV1);
    if (!codec) return false;
    AVFormatContext* output = nullptr;
    if (avformat_alloc_output_context2(&output, nullptr, "avi", path.c_str()) < 0) return false;
    AVStream* stream = avformat_new_stream(output, nullptr);
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    encoder->width = width, encoder->height = height;
    encoder->time_base = AVRational{1, framesPerSecond};
    encoder->framerate = AVRational{framesPerSecond, 1};
    encoder->pix_fmt = AV_PIX_FMT_BGR0;
    encoder->gop_size = 5;
    bool ok = avcodec_open2(encoder, codec, nullptr) >= 0 &&
              avcodec_parameters_from_context(stream->codecpar, encoder) >= 0;
    stream->time_base = encoder->time_base;
    ok = ok && avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0;
    ok = ok && avformat_write_header(output, nullptr) >= 0;

    auto write = [&](AVPacket* packet) {
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        return av_interleaved_write_frame(output, packet) >= 0;
    };
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_BGR0, frame->width = width, frame->height = height;
    av_frame_get_buffer(frame, 0);
    for (int n = 0; ok && n < frameCount; ++n) {
        av_frame_make_writable(frame);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint32_t value = colour(n, x, y) & 0xFFFFFF; // stored little-endian: B, G, R, 0
                std::memcpy(frame->data[0] + y * frame->linesize[0] + x * 4, &value, 4);
            }
        frame->pts = n;
        ok = encode(encoder, frame, write);
    }
    ok = ok && encode(encoder, nullptr, write);
    ok = ok && av_write_trailer(output) >= 0;
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    if (output->pb) avio_closep(&output->pb);
    avformat_free_context(output);
    return ok;
}

std::vector<uint8_t> makeMpegAudio(double seconds, int sampleRate, int channels) {
    std::vector<uint8_t> bytes;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP2);
    if (!codec) return bytes;
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    encoder->sample_fmt = AV_SAMPLE_FMT_S16, encoder->sample_rate = sampleRate, encoder->bit_rate = 128000;
    av_channel_layout_default(&encoder->ch_layout, channels);
    if (avcodec_open2(encoder, codec, nullptr) < 0) {
        avcodec_free_context(&encoder);
        return bytes;
    }
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_SAMPLE_FMT_S16, frame->nb_samples = encoder->frame_size, frame->sample_rate = sampleRate;
    av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
    av_frame_get_buffer(frame, 0);
    auto append = [&](AVPacket* packet) {
        bytes.insert(bytes.end(), packet->data, packet->data + packet->size);
        return true;
    };
    // whole frames of the tone, the last one running past `seconds`
    for (int64_t done = 0; done < int64_t(seconds * sampleRate); done += encoder->frame_size) {
        av_frame_make_writable(frame);
        auto* samples = reinterpret_cast<int16_t*>(frame->data[0]);
        for (int i = 0; i < encoder->frame_size; ++i) {
            double value = std::sin(2.0 * M_PI * 440.0 * double(done + i) / sampleRate);
            for (int c = 0; c < channels; ++c) samples[i * channels + c] = int16_t(value * 12000.0);
        }
        frame->pts = done;
        encode(encoder, frame, append);
    }
    encode(encoder, nullptr, append);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    return bytes;
}

std::vector<uint8_t> makeModule() {
    std::vector<uint8_t> mod(1084, 0);
    // sample 1: a square wave 64 words long, volume 64, looped over its whole length
    mod[20 + 23] = 64, mod[20 + 25] = 64, mod[20 + 29] = 64;
    for (int i = 1; i < 31; ++i) mod[20 + i * 30 + 29] = 1; // unused samples: repeat length 1
    mod[950] = 1;                                             // song length: one position
    mod[951] = 127;                                           // restart position
    std::memcpy(mod.data() + 1080, "M.K.", 4);
    // one pattern: sample 1 at period 428 on the first row of channel 1
    std::vector<uint8_t> pattern(64 * 4 * 4, 0);
    pattern[0] = 428 >> 8, pattern[1] = 428 & 0xFF, pattern[2] = 1 << 4;
    mod.insert(mod.end(), pattern.begin(), pattern.end());
    for (int i = 0; i < 128; ++i) mod.push_back(uint8_t(i < 64 ? 100 : 156));
    return mod;
}

} // namespace MediaTest
