// AVI read-back for the render tests through libavformat and libavcodec.
#include "render/AviProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}


namespace {
void decodeInto(AVCodecContext* decoder, AVPacket* packet, AVFrame* frame, AviProbe& probe) {
    if (avcodec_send_packet(decoder, packet) < 0) return;
    while (avcodec_receive_frame(decoder, frame) == 0) {
        std::vector<uint8_t> pixels(size_t(frame->width) * frame->height * 3);
        SwsContext* convert = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                             frame->height, AV_PIX_FMT_BGR24, SWS_POINT, nullptr, nullptr, nullptr);
        uint8_t* to[1] = {pixels.data()};
        int stride[1] = {frame->width * 3};
        sws_scale(convert, frame->data, frame->linesize, 0, frame->height, to, stride);
        sws_freeContext(convert);
        probe.frames.push_back(std::move(pixels));
    }
}
} // namespace

AviProbe probeAvi(const std::string& path, bool decodeFrames) {
    AviProbe probe;
    av_log_set_level(AV_LOG_ERROR); // full-range JPEG frames make the scaler chatty
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) return probe;
    if (avformat_find_stream_info(input, nullptr) < 0) {
        avformat_close_input(&input);
        return probe;
    }
    probe.opened = true;
    int videoIndex = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    int audioIndex = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    AVCodecContext* decoder = nullptr;
    if (videoIndex >= 0) {
        AVStream* stream = input->streams[videoIndex];
        probe.videoCodec = avcodec_get_name(stream->codecpar->codec_id);
        probe.width = stream->codecpar->width;
        probe.height = stream->codecpar->height;
        probe.rateNumerator = stream->avg_frame_rate.num ? stream->avg_frame_rate.num : stream->r_frame_rate.num;
        probe.rateDenominator = stream->avg_frame_rate.num ? stream->avg_frame_rate.den : stream->r_frame_rate.den;
        if (decodeFrames) {
            const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
            decoder = avcodec_alloc_context3(codec);
            avcodec_parameters_to_context(decoder, stream->codecpar);
            avcodec_open2(decoder, codec, nullptr);
        }
    }
    if (audioIndex >= 0) {
        AVCodecParameters* audio = input->streams[audioIndex]->codecpar;
        probe.hasAudio = true;
        probe.sampleRate = audio->sample_rate;
        probe.channels = audio->ch_layout.nb_channels;
        probe.bitsPerSample = audio->bits_per_coded_sample;
        probe.blockAlign = audio->block_align;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    while (av_read_frame(input, packet) >= 0) {
        if (packet->stream_index == videoIndex) {
            probe.audioBeforeFrame.push_back(probe.audioSamples);
            probe.videoFrames += 1;
            if (decoder) decodeInto(decoder, packet, frame, probe);
        } else if (packet->stream_index == audioIndex && probe.blockAlign > 0) {
            probe.audioSamples += packet->size / probe.blockAlign;
            probe.audioBytes.insert(probe.audioBytes.end(), packet->data, packet->data + packet->size);
        }
        av_packet_unref(packet);
    }
    if (decoder) {
        decodeInto(decoder, nullptr, frame, probe);
        avcodec_free_context(&decoder);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&input);
    return probe;
}

int64_t firstFrameOutOfStep(const AviProbe& probe, int32_t framesPerSecond) {
    for (size_t n = 0; n < probe.audioBeforeFrame.size(); ++n)
        if (probe.audioBeforeFrame[n] != int64_t(n + 1) * 44100 / framesPerSecond) return int64_t(n);
    return probe.audioSamples == probe.videoFrames * 44100 / framesPerSecond ? -1 : probe.videoFrames;
}
