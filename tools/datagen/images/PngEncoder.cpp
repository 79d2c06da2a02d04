// One picture through libavcodec's PNG encoder: the packet it returns is the whole file.
#include "images/PngEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include <cstring>
#include <stdexcept>

namespace {
// The encoder's objects, freed however encoding ends.
struct Encoding {
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    ~Encoding() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
    }
};

[[noreturn]] void fail(const std::string& operation, const std::string& what, int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    throw std::runtime_error("couldn't " + operation + " for " + what + ": " + text);
}
} // namespace

std::vector<uint8_t> PngEncoder::encode(const Picture& picture, const std::string& what) {
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_PNG);
    if (!encoder) fail("find the PNG encoder", what, AVERROR_ENCODER_NOT_FOUND);
    Encoding e;
    e.codec = avcodec_alloc_context3(encoder);
    e.frame = av_frame_alloc();
    e.packet = av_packet_alloc();
    if (!e.codec || !e.frame || !e.packet) fail("allocate the PNG encoder", what, AVERROR(ENOMEM));
    e.codec->width = picture.width();
    e.codec->height = picture.height();
    e.codec->pix_fmt = AV_PIX_FMT_RGB24;
    e.codec->time_base = AVRational{1, 1};
    e.codec->flags |= AV_CODEC_FLAG_BITEXACT;
    int error = avcodec_open2(e.codec, encoder, nullptr);
    if (error < 0) fail("open the PNG encoder", what, error);

    e.frame->format = AV_PIX_FMT_RGB24;
    e.frame->width = picture.width();
    e.frame->height = picture.height();
    error = av_frame_get_buffer(e.frame, 0);
    if (error < 0) fail("allocate a frame", what, error);
    std::vector<uint8_t> rgb = picture.toRgb();
    const size_t rowBytes = size_t(picture.width()) * 3;
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(e.frame->data[0] + size_t(y) * size_t(e.frame->linesize[0]), rgb.data() + size_t(y) * rowBytes,
                    rowBytes);

    error = avcodec_send_frame(e.codec, e.frame);
    if (error < 0) fail("encode the picture", what, error);
    error = avcodec_receive_packet(e.codec, e.packet);
    if (error < 0) fail("take the encoded picture", what, error);
    return std::vector<uint8_t>(e.packet->data, e.packet->data + e.packet->size);
}
