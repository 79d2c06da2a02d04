// The clip reader over libavformat, libavcodec and libswscale.
#include "media/clips/ClipReader.h"

#include "media/FfmpegObjects.h"
#include "media/VideoFailure.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <cstring>
#include <mutex>

namespace {

// Going forward by more than this many frames seeks instead of decoding every frame between.
constexpr int64_t farForwardFrames = 250;

const char* const missingDecoderMessage =
    "Couldn't decompress video-stream!\n\n\n"
    "You need the DivX codec (5.03 or later) in order to watch this.\n"
    "The show decodes clips with FFmpeg; a build with this decoder can be downloaded for free "
    "from https://ffmpeg.org/download.html";

// A decoding error met while advancing; the reader turns it into a VideoFailure naming its file.
struct DecodeError {
    int code;
};

} // namespace

// The decoding state of one open clip.
struct ClipReader::Decoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* decoder = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* current = nullptr; // the frame last delivered, number currentNumber
    AVFrame* pending = nullptr; // decoded ahead, not yet reached; number pendingNumber
    int streamIndex = -1;
    AVRational rate{0, 1}; // frames per second as rate / scale
    int64_t currentNumber = -1;
    int64_t pendingNumber = -1;
    int64_t decodedCount = 0; // frames decoded since the last seek or open
    bool endOfStream = false;
    bool flushing = false;
    uint8_t* picture[4] = {}; // the converted frame
    int pictureStride[4] = {};

    ~Decoder() {
        av_freep(&picture[0]);
        Ffmpeg::releaseAll(scaler, current, pending, packet, decoder);
        Ffmpeg::releaseInput(format);
    }

    // The frame number of a decoded frame, from its time stamp when it has one.
    int64_t numberOf(const AVFrame* frame) {
        int64_t stamp = frame->best_effort_timestamp;
        const AVStream* stream = format->streams[streamIndex];
        if (stamp == AV_NOPTS_VALUE) return decodedCount;
        if (stream->start_time != AV_NOPTS_VALUE) stamp -= stream->start_time;
        // stamp x time_base x rate, rounded to the nearest frame
        AVRational perFrame = av_inv_q(rate);
        return av_rescale_q_rnd(stamp, stream->time_base, perFrame,
                                AVRounding(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
    }

    // Decodes the next frame into pending; false at the end of the stream.
    bool decodeNext() {
        for (;;) {
            int result = avcodec_receive_frame(decoder, pending);
            if (result == 0) {
                pendingNumber = numberOf(pending);
                ++decodedCount;
                return true;
            }
            if (result == AVERROR_EOF) {
                endOfStream = true;
                return false;
            }
            if (result != AVERROR(EAGAIN)) throw DecodeError{result};
            if (flushing) {
                endOfStream = true;
                return false;
            }
            // feed the next packet of the video stream
            for (;;) {
                int readResult = av_read_frame(format, packet);
                if (readResult < 0) {
                    avcodec_send_packet(decoder, nullptr);
                    flushing = true;
                    break;
                }
                if (packet->stream_index != streamIndex) {
                    av_packet_unref(packet);
                    continue;
                }
                int sendResult = avcodec_send_packet(decoder, packet);
                av_packet_unref(packet);
                // A damaged packet is skipped; the decoder goes on with the next one.
                if (sendResult < 0 && sendResult != AVERROR(EAGAIN) && sendResult != AVERROR_INVALIDDATA)
                    throw DecodeError{sendResult};
                break;
            }
        }
    }

    void seekBefore(int64_t number) {
        const AVStream* stream = format->streams[streamIndex];
        int64_t stamp = av_rescale_q(number, av_inv_q(rate), stream->time_base);
        if (stream->start_time != AV_NOPTS_VALUE) stamp += stream->start_time;
        if (av_seek_frame(format, streamIndex, stamp, AVSEEK_FLAG_BACKWARD) < 0)
            av_seek_frame(format, streamIndex, stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time,
                          AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
        avcodec_flush_buffers(decoder);
        currentNumber = pendingNumber = -1;
        decodedCount = 0;
        endOfStream = flushing = false;
    }

    // Makes `current` the last frame whose number is at most `number` (or the first frame).
    void advanceTo(int64_t number) {
        bool goBack = currentNumber >= 0 && number < currentNumber;
        bool farAhead = !endOfStream && number - currentNumber > farForwardFrames;
        if (goBack || farAhead) {
            seekBefore(number);
            // A seek that lands past the wanted frame starts again from the beginning.
            if (!decodeNext() || (pendingNumber > number && number > 0))
                seekBefore(0);
            else {
                std::swap(current, pending);
                currentNumber = pendingNumber;
                pendingNumber = -1;
            }
        }
        for (;;) {
            if (pendingNumber < 0) {
                if (endOfStream || !decodeNext()) break;
            }
            if (currentNumber >= 0 && pendingNumber > number) break;
            std::swap(current, pending);
            currentNumber = pendingNumber;
            pendingNumber = -1;
            if (currentNumber >= number) break;
        }
    }
};

ClipReader::ClipReader(const std::string& name) : decoder(std::make_unique<Decoder>()), fileName(name) {
    // FFmpeg's own warnings about odd files would only repeat what the failure reports.
    static std::once_flag quietLog;
    std::call_once(quietLog, [] { av_log_set_level(AV_LOG_ERROR); });
    open();
}

void ClipReader::fail(const std::string& message, int code) const {
    throw VideoFailure(message, code, fileName);
}

void ClipReader::open() {
    Decoder& r = *decoder;
    // Clips are AVI files: other content (a picture, a music stream) in a clip entry is refused
    // here, not guessed at and shown as a clip.
    int result = avformat_open_input(&r.format, fileName.c_str(), av_find_input_format("avi"), nullptr);
    if (result < 0) fail(std::string("Couldn't open avi file!"), result);
    result = avformat_find_stream_info(r.format, nullptr);
    if (result < 0) fail(std::string("Couldn't open avi file!"), result);
    for (unsigned i = 0; i < r.format->nb_streams; ++i) {
        if (r.format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            r.streamIndex = int(i);
            break;
        }
    }
    if (r.streamIndex < 0) fail("Couldn't retrieve video-stream from file!", AVERROR_STREAM_NOT_FOUND);
    AVStream* stream = r.format->streams[r.streamIndex];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) fail(missingDecoderMessage, 666);
    r.decoder = avcodec_alloc_context3(codec);
    if (!r.decoder || avcodec_parameters_to_context(r.decoder, stream->codecpar) < 0)
        fail("Couldn't decompress video-stream", AVERROR(ENOMEM));
    // Clips decode on several threads at once already; one thread per decoder leaves the
    // machine's cores to the other clips.
    r.decoder->thread_count = 1;
    if (avcodec_open2(r.decoder, codec, nullptr) < 0) fail(missingDecoderMessage, 666);

    r.rate = stream->r_frame_rate;
    if (r.rate.num <= 0 || r.rate.den <= 0) r.rate = stream->avg_frame_rate;
    if (r.rate.num <= 0 || r.rate.den <= 0) r.rate = av_inv_q(stream->time_base);
    if (r.rate.num <= 0 || r.rate.den <= 0) r.rate = AVRational{25, 1};

    r.packet = av_packet_alloc();
    r.current = av_frame_alloc();
    r.pending = av_frame_alloc();
    if (!r.packet || !r.current || !r.pending) fail("Couldn't decompress video-stream", AVERROR(ENOMEM));
    try {
        r.advanceTo(0);
    } catch (const DecodeError& error) {
        fail("Couldn't decompress video-stream", error.code);
    }
    if (r.currentNumber < 0 || r.current->width <= 0 || r.current->height <= 0)
        fail("Couldn't decompress video-stream", AVERROR_INVALIDDATA);
    width = r.current->width;
    height = r.current->height;
    // packed blue, green, red rows of frame 0's size, aligned for the scaler
    if (av_image_alloc(r.picture, r.pictureStride, width, height, AV_PIX_FMT_BGR24, 32) < 0)
        fail("Couldn't decompress video-stream", AVERROR(ENOMEM));
}

ClipReader::~ClipReader() = default;

int64_t ClipReader::frameAtTime(int32_t timeMs) const {
    if (timeMs <= 0) return 0;
    AVRational rate = decoder->rate;
    // floor(timeMs x rate / (scale x 1000)) for rate / scale frames per second
    return int64_t(timeMs) * rate.num / (int64_t(rate.den) * 1000);
}

void ClipReader::readFrame(uint8_t* destination, int32_t timeMs, bool toFrameBuffer) {
    if (!destination) return;
    Decoder& r = *decoder;
    try {
        r.advanceTo(frameAtTime(timeMs));
    } catch (const DecodeError& error) {
        fail("Couldn't decompress video-stream", error.code);
    }
    AVFrame* frame = r.current;
    if (r.currentNumber < 0 || frame->width <= 0)
        fail("Couldn't decompress video-stream", AVERROR_INVALIDDATA);
    // Every frame is scaled to the size of frame 0, which the destination was made for.
    r.scaler = sws_getCachedContext(r.scaler, frame->width, frame->height, AVPixelFormat(frame->format),
                                    width, height, AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!r.scaler) fail("Colour format not supported!", 666);
    const size_t rowBytes = size_t(width) * 3;
    if (!toFrameBuffer && width % 16 == 0) {
        // Rows of whole 16-pixel groups: the scaler writes straight into the destination
        // without passing its end.
        uint8_t* planes[4] = {destination, nullptr, nullptr, nullptr};
        int strides[4] = {int(rowBytes), 0, 0, 0};
        sws_scale(r.scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
        return;
    }
    sws_scale(r.scaler, frame->data, frame->linesize, 0, frame->height, r.picture, r.pictureStride);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = r.picture[0] + size_t(y) * size_t(r.pictureStride[0]);
        if (!toFrameBuffer) {
            std::memcpy(destination + size_t(y) * rowBytes, source, rowBytes);
            continue;
        }
        uint8_t* out = destination + size_t(y) * size_t(width) * 4;
        for (int32_t x = 0; x < width; ++x) {
            out[x * 4 + 0] = source[x * 3 + 0];
            out[x * 4 + 1] = source[x * 3 + 1];
            out[x * 4 + 2] = source[x * 3 + 2];
            out[x * 4 + 3] = 0;
        }
    }
}
