// AVI writing over libavformat's AVI muxer and libavcodec's encoders: UT Video or FFV1 (lossless),
// MJPEG, MPEG-4 Part 2 or raw BGR24 video, and 16-bit PCM sound written as it comes.
#include "media/masters/AviEncoder.h"

#include "media/FfmpegObjects.h"
#include "media/masters/AviCodecs.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>

struct AviEncoder::State {
    AVFormatContext* container = nullptr;
    AVCodecContext* video = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* converter = nullptr;
    AviVideoFormat videoFormat;
    AviAudioFormat audioFormat;
    bool fileOpen = false;
    bool headerWritten = false;
    int64_t framesWritten = 0; // frames handed to the encoder
    int64_t framesInFile = 0;  // their packets written to the file
    int64_t audioSamplesWritten = 0;
    // Sound that must not reach the file before the packets of the frames ahead of it: an
    // encoder with frame threads hands its packets back a few frames late.
    struct PendingSound {
        int64_t beforeFrame;
        AVPacket* packet;
    };
    std::deque<PendingSound> pendingSound;

    ~State() {
        for (PendingSound& sound : pendingSound)
            Ffmpeg::release(sound.packet);
        Ffmpeg::releaseAll(converter, frame, packet, video);
        Ffmpeg::releaseOutput(container, fileOpen);
    }

    // The stream's first sticky output error, if any (a full disk shows up here).
    int outputError() const { return container && container->pb ? container->pb->error : 0; }

    // Writes the waiting sound that belongs before frame `frame` or earlier.
    int writeSoundBefore(int64_t frame) {
        while (!pendingSound.empty() && pendingSound.front().beforeFrame <= frame) {
            AVPacket* sound = pendingSound.front().packet;
            pendingSound.pop_front();
            int result = av_write_frame(container, sound);
            av_packet_free(&sound);
            if (result < 0) return result;
        }
        return 0;
    }

    // Moves every packet the encoder has ready into the file, each after its frame's sound.
    int drainEncoder() {
        for (;;) {
            int result = avcodec_receive_packet(video, packet);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return outputError();
            if (result < 0) return result;
            if ((result = writeSoundBefore(framesInFile)) < 0) return result;
            packet->stream_index = videoStream->index;
            av_packet_rescale_ts(packet, video->time_base, videoStream->time_base);
            result = av_write_frame(container, packet);
            if (result < 0) return result;
            framesInFile += 1;
        }
    }
};

namespace {
constexpr int unknownCodec = AVERROR_ENCODER_NOT_FOUND;
} // namespace

AviEncoder::AviEncoder() : state(std::make_unique<State>()) {}

AviEncoder::~AviEncoder() {
    finish();
}

int AviEncoder::unknownCodecError() {
    return unknownCodec;
}
int AviEncoder::invalidFormatError() {
    return AVERROR(EINVAL);
}
int AviEncoder::bufferFullError() {
    return AVERROR(ENOBUFS);
}
int AviEncoder::diskFullError() {
    return AVERROR(ENOSPC);
}
bool AviEncoder::isDiskFullError(int code) {
    return code == AVERROR(ENOSPC);
}

std::string AviEncoder::describeError(int code) {
    return Ffmpeg::errorText(code);
}

bool AviEncoder::isOpen() const {
    return state->fileOpen;
}
bool AviEncoder::hasAudio() const {
    return state->audioStream != nullptr;
}
int64_t AviEncoder::getFramesWritten() const {
    return state->framesWritten;
}
int64_t AviEncoder::getAudioSamplesWritten() const {
    return state->audioSamplesWritten;
}

int AviEncoder::prepare(const std::string& fileName) {
    int result = avformat_alloc_output_context2(&state->container, nullptr, "avi", fileName.c_str());
    if (result < 0) return result;
    state->container->flags |= AVFMT_FLAG_BITEXACT;
    return 0;
}

int AviEncoder::openFile() {
    if (!state->container || state->fileOpen) return AVERROR(EINVAL);
    // Always a plain file, even when the name holds a colon.
    std::string path = std::string("file:") + state->container->url;
    int result = avio_open(&state->container->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) return result;
    state->fileOpen = true;
    return 0;
}

int AviEncoder::createVideoStream(const AviVideoFormat& format) {
    AviCodecs::CodecChoice chosen{};
    if (!AviCodecs::chooseCodec(format.codec, chosen)) return unknownCodec;
    const AVCodecID codecId = AVCodecID(chosen.id);
    const AVPixelFormat pixelFormat = AVPixelFormat(chosen.pixelFormat);
    const AVCodec* codec = avcodec_find_encoder(codecId);
    if (!codec) return unknownCodec;
    state->videoFormat = format;
    state->video = avcodec_alloc_context3(codec);
    if (!state->video) return AVERROR(ENOMEM);
    AviCodecs::configureEncoder(state->video, chosen, format);
    if (state->container->oformat->flags & AVFMT_GLOBALHEADER)
        state->video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int result = avcodec_open2(state->video, codec, nullptr);
    if (result < 0) return result;

    state->videoStream = avformat_new_stream(state->container, nullptr);
    if (!state->videoStream) return AVERROR(ENOMEM);
    state->videoStream->time_base = state->video->time_base;
    state->videoStream->avg_frame_rate = state->video->framerate;
    result = avcodec_parameters_from_context(state->videoStream->codecpar, state->video);
    if (result < 0) return result;
    // Raw frames go in as the bottom-up rows of a plain bitmap, with a positive height.
    if (codecId == AV_CODEC_ID_RAWVIDEO) av_opt_set_int(state->container->priv_data, "flipped_raw_rgb", 1, 0);

    state->frame = av_frame_alloc();
    state->packet = av_packet_alloc();
    if (!state->frame || !state->packet) return AVERROR(ENOMEM);
    state->frame->format = pixelFormat;
    state->frame->width = format.width;
    state->frame->height = format.height;
    result = av_frame_get_buffer(state->frame, 0);
    if (result < 0) return result;
    if (codecId == AV_CODEC_ID_MJPEG || codecId == AV_CODEC_ID_MPEG4) {
        state->converter =
            sws_getContext(format.width, format.height, AV_PIX_FMT_BGR24, format.width, format.height,
                           pixelFormat, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!state->converter) return AVERROR(ENOMEM);
        if (codecId == AV_CODEC_ID_MJPEG) {
            // JPEG pictures use the full 0..255 range.
            const int* coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
            sws_setColorspaceDetails(state->converter, coefficients, 1, coefficients, 1, 0, 1 << 16, 1 << 16);
        }
    }
    return 0;
}

int AviEncoder::createAudioStream(const AviAudioFormat& format) {
    if (state->headerWritten || format.bits != 16 || format.channels < 1 || format.rate < 1)
        return AVERROR(EINVAL);
    AVStream* stream = avformat_new_stream(state->container, nullptr);
    if (!stream) return AVERROR(ENOMEM);
    AVCodecParameters* parameters = stream->codecpar;
    parameters->codec_type = AVMEDIA_TYPE_AUDIO;
    parameters->codec_id = AV_CODEC_ID_PCM_S16LE;
    parameters->sample_rate = format.rate;
    av_channel_layout_default(&parameters->ch_layout, format.channels);
    parameters->bits_per_coded_sample = format.bits;
    parameters->block_align = format.blockAlign();
    parameters->bit_rate = int64_t(format.blockAlign()) * format.rate * 8;
    stream->time_base = AVRational{1, format.rate};
    state->audioFormat = format;
    state->audioStream = stream;
    return 0;
}

int AviEncoder::begin() {
    if (state->headerWritten) return 0;
    int result = avformat_write_header(state->container, nullptr);
    if (result < 0) return result;
    state->headerWritten = true;
    return state->outputError();
}

int AviEncoder::writeVideoFrame(const uint8_t* pixels, bool bottomUp) {
    State& s = *state;
    if (!s.headerWritten || !s.video) return AVERROR(EINVAL);
    int result = av_frame_make_writable(s.frame);
    if (result < 0) return result;
    const int32_t width = s.videoFormat.width;
    const int32_t height = s.videoFormat.height;
    const ptrdiff_t rowBytes = ptrdiff_t(width) * 3;
    // The source row that becomes picture row y.
    auto sourceRow = [&](int32_t y) { return pixels + (bottomUp ? height - 1 - y : y) * rowBytes; };
    if (s.converter) {
        const uint8_t* source[1] = {sourceRow(0)};
        int sourceStride[1] = {int(bottomUp ? -rowBytes : rowBytes)};
        sws_scale(s.converter, source, sourceStride, 0, height, s.frame->data, s.frame->linesize);
    } else if (s.video->pix_fmt == AV_PIX_FMT_GBRP) {
        for (int32_t y = 0; y < height; ++y) {
            uint8_t* planes[3];
            for (int p = 0; p < 3; ++p)
                planes[p] = s.frame->data[p] + ptrdiff_t(y) * s.frame->linesize[p];
            AviCodecs::splitRow(planes[0], planes[1], planes[2], sourceRow(y), width);
        }
    } else if (s.video->pix_fmt == AV_PIX_FMT_0RGB32) {
        for (int32_t y = 0; y < height; ++y)
            AviCodecs::widenRow(
                reinterpret_cast<uint32_t*>(s.frame->data[0] + ptrdiff_t(y) * s.frame->linesize[0]),
                sourceRow(y), width);
    } else {
        // Raw: the file keeps bottom-up rows, so picture row y is stored as row height-1-y.
        for (int32_t y = 0; y < height; ++y)
            std::memcpy(s.frame->data[0] + ptrdiff_t(y) * s.frame->linesize[0], sourceRow(height - 1 - y),
                        size_t(rowBytes));
    }
    s.frame->pts = s.framesWritten;
    result = avcodec_send_frame(s.video, s.frame);
    if (result < 0) return result;
    s.framesWritten += 1;
    return s.drainEncoder();
}

int AviEncoder::writeAudio(const uint8_t* samples, int32_t count) {
    State& s = *state;
    if (!s.headerWritten || !s.audioStream || count < 0) return AVERROR(EINVAL);
    if (count == 0) return 0;
    const int bytes = count * s.audioFormat.blockAlign();
    int result = av_new_packet(s.packet, bytes);
    if (result < 0) return result;
    std::memcpy(s.packet->data, samples, size_t(bytes));
    s.packet->stream_index = s.audioStream->index;
    s.packet->pts = s.packet->dts = s.audioSamplesWritten;
    s.packet->duration = count;
    s.packet->flags |= AV_PKT_FLAG_KEY;
    av_packet_rescale_ts(s.packet, AVRational{1, s.audioFormat.rate}, s.audioStream->time_base);
    // The sound of a frame lies just before the frame in the file: it waits for the packets of
    // the frames before it when the encoder is behind.
    AVPacket* sound = av_packet_alloc();
    if (!sound) return AVERROR(ENOMEM);
    av_packet_move_ref(sound, s.packet);
    s.pendingSound.push_back({s.framesWritten, sound});
    s.audioSamplesWritten += count;
    if ((result = s.writeSoundBefore(s.framesInFile)) < 0) return result;
    return s.outputError();
}

int AviEncoder::finish() {
    State& s = *state;
    if (!s.fileOpen) return 0;
    int firstError = 0;
    auto keep = [&](int result) {
        if (result < 0 && firstError == 0) firstError = result;
    };
    if (s.headerWritten) {
        if (s.video) {
            keep(avcodec_send_frame(s.video, nullptr));
            keep(s.drainEncoder());
        }
        keep(s.writeSoundBefore(INT64_MAX)); // the sound after the last frame
        keep(av_write_trailer(s.container));
    }
    keep(avio_closep(&s.container->pb));
    s.fileOpen = false;
    return firstError;
}
