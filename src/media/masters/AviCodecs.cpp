// The render codecs: the names the command line accepts, the encoder and picture layout behind
// each, the encoders' settings, and the row conversions into their picture layouts.
#include "media/masters/AviCodecs.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstring>

namespace AviCodecs {

// The lossless codec that "lossless" stands for: UT Video keeps up with the noisiest pictures
// of the show at many times real speed, where FFV1's range coder falls to about twice.
constexpr const char* defaultLossless = "utvideo";

bool chooseCodec(const std::string& codecName, CodecChoice& choice) {
    const std::string name = codecName == "lossless" ? defaultLossless : codecName;
    // The FFV1 pixel format 0RGB32 is bytes blue, green, red, unused on little-endian machines.
    if (name == "ffv1")
        choice = {AV_CODEC_ID_FFV1, AV_PIX_FMT_0RGB32};
    else if (name == "utvideo")
        choice = {AV_CODEC_ID_UTVIDEO, AV_PIX_FMT_GBRP};
    else if (name == "mjpeg")
        choice = {AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUV420P}; // full range, below
    else if (name == "mpeg")
        choice = {AV_CODEC_ID_MPEG4, AV_PIX_FMT_YUV420P};
    else if (name == "raw")
        choice = {AV_CODEC_ID_RAWVIDEO, AV_PIX_FMT_BGR24};
    else
        return false;
    return true;
}

// 3-byte pixels (blue, green, red) to 4-byte ones with a zero fourth byte, four pixels from three
// little-endian words at a time.
void widenRow(uint32_t* to, const uint8_t* from, int32_t pixels) {
    int32_t x = 0;
    for (; x + 4 <= pixels; x += 4, from += 12, to += 4) {
        uint32_t a, b, c;
        std::memcpy(&a, from, 4);
        std::memcpy(&b, from + 4, 4);
        std::memcpy(&c, from + 8, 4);
        to[0] = a & 0xFFFFFF;
        to[1] = (a >> 24 | b << 8) & 0xFFFFFF;
        to[2] = (b >> 16 | c << 16) & 0xFFFFFF;
        to[3] = c >> 8;
    }
    for (; x < pixels; ++x, from += 3)
        *to++ = uint32_t(from[0]) | uint32_t(from[1]) << 8 | uint32_t(from[2]) << 16;
}

void configureEncoder(AVCodecContext* video, const CodecChoice& choice, const AviVideoFormat& format) {
    video->width = format.width;
    video->height = format.height;
    video->pix_fmt = AVPixelFormat(choice.pixelFormat);
    video->time_base = AVRational{1, format.framesPerSecond};
    video->framerate = AVRational{format.framesPerSecond, 1};
    // Same input, same bytes: no version strings, and only slice threads, whose output does not
    // depend on scheduling.
    video->flags |= AV_CODEC_FLAG_BITEXACT;
    video->thread_count = 2;
    video->thread_type = FF_THREAD_SLICE;
    switch (AVCodecID(choice.id)) {
    case AV_CODEC_ID_FFV1:
        // Version 3 cuts the picture into slices that both cores encode at once; very small
        // frames keep a single slice.
        video->level = 3;
        if (format.width >= 64 && format.height >= 64) video->slices = 16;
        av_opt_set_int(video->priv_data, "context", 0, 0);
        video->gop_size = format.framesPerSecond;
        break;
    case AV_CODEC_ID_MJPEG:
    case AV_CODEC_ID_MPEG4:
        video->flags |= AV_CODEC_FLAG_QSCALE;
        video->global_quality = FF_QP2LAMBDA * 3;
        video->max_b_frames = 0;
        video->gop_size = format.framesPerSecond;
        if (choice.id == AV_CODEC_ID_MJPEG) video->color_range = AVCOL_RANGE_JPEG;
        break;
    case AV_CODEC_ID_UTVIDEO:
        // Every frame stands alone, so frame threads give the same bytes as one thread.
        video->thread_type = FF_THREAD_FRAME;
        av_opt_set(video->priv_data, "pred", "median", 0);
        break;
    default:
        break;
    }
}

void splitRow(uint8_t* green, uint8_t* blue, uint8_t* red, const uint8_t* from, int32_t pixels) {
    for (int32_t x = 0; x < pixels; ++x, from += 3) {
        blue[x] = from[0];
        green[x] = from[1];
        red[x] = from[2];
    }
}

} // namespace AviCodecs

const std::vector<std::string>& AviEncoder::codecNames() {
    static const std::vector<std::string> names = {"lossless", "utvideo", "ffv1", "mjpeg", "mpeg", "raw"};
    return names;
}

bool AviEncoder::isKnownCodec(const std::string& name) {
    const std::vector<std::string>& names = codecNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}
