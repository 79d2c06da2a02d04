// MP4 read-back for the delivery tests through libavformat and libavcodec.
#include "render/FilmProbe.h"

#include "TestFiles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace {
double seconds(int64_t value, AVRational base) {
    return value == AV_NOPTS_VALUE ? 0.0 : double(value) * av_q2d(base);
}

// FFmpeg's names joined by spaces, "?" for a value it has no name for.
std::string describe(std::initializer_list<const char*> names) {
    std::string text;
    for (const char* name : names)
        text += (text.empty() ? "" : " ") + std::string(name ? name : "?");
    return text;
}

AVCodecContext* openDecoder(const AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder, stream->codecpar);
    decoder->pkt_timebase = stream->time_base;
    avcodec_open2(decoder, codec, nullptr);
    return decoder;
}

void appendSound(AVCodecContext* decoder, const AVPacket* packet, AVFrame* frame, std::vector<float>& sound) {
    if (avcodec_send_packet(decoder, packet) < 0) return;
    while (avcodec_receive_frame(decoder, frame) == 0) {
        // The native decoder gives planar floats.
        const float* left = reinterpret_cast<const float*>(frame->data[0]);
        const float* right =
            reinterpret_cast<const float*>(frame->data[frame->ch_layout.nb_channels > 1 ? 1 : 0]);
        for (int i = 0; i < frame->nb_samples; ++i)
            sound.push_back((left[i] + right[i]) * 0.5f);
    }
}

std::vector<uint8_t> bgrPixels(const AVFrame* frame) {
    std::vector<uint8_t> pixels(size_t(frame->width) * frame->height * 3);
    SwsContext* convert = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                         frame->height, AV_PIX_FMT_BGR24, SWS_POINT, nullptr, nullptr, nullptr);
    // The film is tagged BT.709; the masters use the library's default matrix.
    const int* matrix = sws_getCoefficients(frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT);
    sws_setColorspaceDetails(convert, matrix, frame->color_range == AVCOL_RANGE_JPEG, matrix, 1, 0, 1 << 16,
                             1 << 16);
    uint8_t* to[1] = {pixels.data()};
    int stride[1] = {frame->width * 3};
    sws_scale(convert, frame->data, frame->linesize, 0, frame->height, to, stride);
    sws_freeContext(convert);
    return pixels;
}
} // namespace

FilmProbe probeFilm(const std::string& path, bool decodeSound) {
    FilmProbe probe;
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) return probe;
    avformat_find_stream_info(input, nullptr);
    const std::string bytes = readFileText(path);
    probe.indexFirst = bytes.find("moov") < bytes.find("mdat"); // false without an index
    for (unsigned i = 0; i < input->nb_chapters; ++i) {
        const AVChapter* chapter = input->chapters[i];
        const AVDictionaryEntry* title = av_dict_get(chapter->metadata, "title", nullptr, 0);
        probe.chapters.push_back({title ? title->value : "", seconds(chapter->start, chapter->time_base),
                                  seconds(chapter->end, chapter->time_base)});
    }
    int videoIndex = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    int audioIndex = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (videoIndex >= 0) {
        const AVStream* stream = input->streams[videoIndex];
        const AVCodecParameters* video = stream->codecpar;
        probe.video = describe(
            {avcodec_get_name(video->codec_id), avcodec_profile_name(video->codec_id, video->profile),
             av_get_pix_fmt_name(AVPixelFormat(video->format)), av_color_space_name(video->color_space),
             av_color_primaries_name(video->color_primaries), av_color_transfer_name(video->color_trc),
             av_color_range_name(video->color_range)});
        probe.videoStart = seconds(stream->start_time, stream->time_base);
        probe.videoDuration = seconds(stream->duration, stream->time_base);
    }
    AVCodecContext* soundDecoder = nullptr;
    if (audioIndex >= 0) {
        const AVStream* stream = input->streams[audioIndex];
        const AVCodecParameters* audio = stream->codecpar;
        probe.audio = describe({avcodec_get_name(audio->codec_id),
                                avcodec_profile_name(audio->codec_id, audio->profile)}) +
                      " " + std::to_string(audio->sample_rate) + " Hz " +
                      std::to_string(audio->ch_layout.nb_channels) + " channels";
        probe.audioStart = seconds(stream->start_time, stream->time_base);
        if (decodeSound) soundDecoder = openDecoder(stream);
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    while (av_read_frame(input, packet) >= 0) {
        if (packet->stream_index == videoIndex)
            probe.videoFrames += 1;
        else if (packet->stream_index == audioIndex && soundDecoder)
            appendSound(soundDecoder, packet, frame, probe.sound);
        av_packet_unref(packet);
    }
    if (soundDecoder) {
        appendSound(soundDecoder, nullptr, frame, probe.sound);
        avcodec_free_context(&soundDecoder);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&input);
    return probe;
}

std::vector<uint8_t> decodePicture(const std::string& path, int64_t index, int32_t* width, int32_t* height) {
    std::vector<uint8_t> pixels;
    av_log_set_level(AV_LOG_ERROR); // full-range JPEG pictures make the scaler chatty
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) return pixels;
    avformat_find_stream_info(input, nullptr);
    const int videoIndex = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoIndex < 0) {
        avformat_close_input(&input);
        return pixels;
    }
    AVCodecContext* decoder = openDecoder(input->streams[videoIndex]);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int64_t decoded = 0;
    // Sends a packet (nullptr: the end) and keeps the picture wanted among those it gives.
    auto decode = [&](const AVPacket* sent) {
        avcodec_send_packet(decoder, sent);
        while (pixels.empty() && avcodec_receive_frame(decoder, frame) == 0)
            if (decoded++ == index) {
                *width = frame->width;
                *height = frame->height;
                pixels = bgrPixels(frame);
            }
    };
    while (pixels.empty() && av_read_frame(input, packet) >= 0) {
        if (packet->stream_index == videoIndex) decode(packet);
        av_packet_unref(packet);
    }
    if (pixels.empty()) decode(nullptr);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&input);
    return pixels;
}
