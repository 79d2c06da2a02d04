// FFmpeg-backed AVI writer into memory: libavcodec's "mpeg4" encoder, libswscale for the
// RGB to YUV 4:2:0 conversion, libavformat's AVI muxer over a seekable in-memory stream.
#include "clips/ClipEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <cstring>
#include <stdexcept>

struct ClipEncoder::State {
    Settings settings;
    std::string what;
    std::vector<uint8_t> file; // the AVI as written so far
    int64_t position = 0;      // write position of the in-memory stream
    AVFormatContext* format = nullptr;
    AVIOContext* io = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    SwsContext* scaler = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    int64_t frameCount = 0;
    bool finished = false;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    // Frees whatever was made, also when the constructor stopped half-way with an error.
    ~State() {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
        avformat_free_context(format);
    }

    [[noreturn]] void fail(const std::string& operation, int error) const {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(error, text, sizeof text);
        throw std::runtime_error("couldn't " + operation + " for clip " + what + ": " + text);
    }
    void drain(bool flushing);
};

namespace {
int writeToMemory(void* opaque, uint8_t* data, int size) {
    auto* s = static_cast<ClipEncoder::State*>(opaque);
    size_t end = size_t(s->position) + size_t(size);
    if (s->file.size() < end) s->file.resize(end);
    std::memcpy(s->file.data() + s->position, data, size_t(size));
    s->position = int64_t(end);
    return size;
}

int64_t seekInMemory(void* opaque, int64_t offset, int whence) {
    auto* s = static_cast<ClipEncoder::State*>(opaque);
    int64_t size = int64_t(s->file.size());
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return size;
    case SEEK_SET: break;
    case SEEK_CUR: offset += s->position; break;
    case SEEK_END: offset += size; break;
    default: return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    s->position = offset;
    return offset;
}
} // namespace

ClipEncoder::ClipEncoder(const Settings& settings, const std::string& what) : state(std::make_unique<State>()) {
    State& s = *state;
    s.settings = settings;
    s.what = what;
    if (settings.width <= 0 || settings.height <= 0 || settings.width % 2 || settings.height % 2 ||
        settings.framesPerSecond <= 0)
        throw std::runtime_error("couldn't set up clip " + what + ": the size must be even and positive");
    int error = avformat_alloc_output_context2(&s.format, nullptr, "avi", nullptr);
    if (error < 0) s.fail("create the AVI writer", error);
    s.format->flags |= AVFMT_FLAG_BITEXACT | AVFMT_FLAG_CUSTOM_IO;

    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!encoder) s.fail("find the MPEG-4 encoder", AVERROR_ENCODER_NOT_FOUND);
    s.codec = avcodec_alloc_context3(encoder);
    s.stream = avformat_new_stream(s.format, nullptr);
    s.frame = av_frame_alloc();
    s.packet = av_packet_alloc();
    if (!s.codec || !s.stream || !s.frame || !s.packet) s.fail("allocate the encoder", AVERROR(ENOMEM));

    s.codec->width = settings.width;
    s.codec->height = settings.height;
    s.codec->time_base = AVRational{1, settings.framesPerSecond};
    s.codec->framerate = AVRational{settings.framesPerSecond, 1};
    s.codec->pix_fmt = AV_PIX_FMT_YUV420P;
    s.codec->gop_size = settings.groupLength;
    s.codec->max_b_frames = 0;
    s.codec->thread_count = 1;
    s.codec->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    s.codec->global_quality = FF_QP2LAMBDA * settings.quantiser;
    error = avcodec_open2(s.codec, encoder, nullptr);
    if (error < 0) s.fail("open the MPEG-4 encoder", error);
    error = avcodec_parameters_from_context(s.stream->codecpar, s.codec);
    if (error < 0) s.fail("describe the video stream", error);
    s.stream->time_base = s.codec->time_base;
    s.stream->avg_frame_rate = s.codec->framerate;

    const int bufferSize = 1 << 16;
    auto* buffer = static_cast<uint8_t*>(av_malloc(bufferSize));
    if (!buffer) s.fail("allocate the output buffer", AVERROR(ENOMEM));
    s.io = avio_alloc_context(buffer, bufferSize, 1, &s, nullptr, writeToMemory, seekInMemory);
    if (!s.io) {
        av_free(buffer);
        s.fail("allocate the output stream", AVERROR(ENOMEM));
    }
    s.format->pb = s.io;
    error = avformat_write_header(s.format, nullptr);
    if (error < 0) s.fail("write the AVI header", error);

    s.frame->format = AV_PIX_FMT_YUV420P;
    s.frame->width = settings.width;
    s.frame->height = settings.height;
    error = av_frame_get_buffer(s.frame, 0);
    if (error < 0) s.fail("allocate a frame", error);
    s.scaler = sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGB24, settings.width, settings.height,
                              AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr,
                              nullptr, nullptr);
    if (!s.scaler) s.fail("set up the colour conversion", AVERROR(EINVAL));
}

ClipEncoder::~ClipEncoder() = default;

void ClipEncoder::State::drain(bool flushing) {
    for (;;) {
        int error = avcodec_receive_packet(codec, packet);
        if (error == AVERROR(EAGAIN) || (flushing && error == AVERROR_EOF)) return;
        if (error < 0) fail("encode a frame", error);
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        error = av_write_frame(format, packet);
        av_packet_unref(packet);
        if (error < 0) fail("write a frame", error);
    }
}

void ClipEncoder::addFrame(const std::vector<uint8_t>& rgb) {
    State& s = *state;
    if (s.finished) throw std::runtime_error("couldn't add a frame to clip " + s.what + ": already finished");
    size_t expected = size_t(s.settings.width) * size_t(s.settings.height) * 3;
    if (rgb.size() != expected)
        throw std::runtime_error("couldn't add a frame to clip " + s.what + ": wrong frame size");
    int error = av_frame_make_writable(s.frame);
    if (error < 0) s.fail("prepare a frame", error);
    const uint8_t* source[1] = {rgb.data()};
    int sourceStride[1] = {s.settings.width * 3};
    sws_scale(s.scaler, source, sourceStride, 0, s.settings.height, s.frame->data, s.frame->linesize);
    s.frame->pts = s.frameCount++;
    s.frame->quality = s.codec->global_quality;
    s.frame->pict_type = AV_PICTURE_TYPE_NONE;
    error = avcodec_send_frame(s.codec, s.frame);
    if (error < 0) s.fail("encode a frame", error);
    s.drain(false);
}

std::vector<uint8_t> ClipEncoder::finish() {
    State& s = *state;
    if (s.finished) throw std::runtime_error("couldn't finish clip " + s.what + ": already finished");
    s.finished = true;
    int error = avcodec_send_frame(s.codec, nullptr);
    if (error < 0) s.fail("flush the encoder", error);
    s.drain(true);
    error = av_write_trailer(s.format);
    if (error < 0) s.fail("write the AVI index", error);
    avio_flush(s.io);
    return std::move(s.file);
}
