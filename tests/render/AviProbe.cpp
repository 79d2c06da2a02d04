// AVI read-back for the render tests through libavformat.
#include "render/AviProbe.h"

extern "C" {
#include <libavformat/avformat.h>
}

AviProbe probeAvi(const std::string& path) {
    AviProbe probe;
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) return probe;
    avformat_find_stream_info(input, nullptr);
    int videoIndex = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    int audioIndex = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (videoIndex >= 0) {
        AVStream* stream = input->streams[videoIndex];
        probe.videoCodec = avcodec_get_name(stream->codecpar->codec_id);
        probe.frameRate = av_q2d(stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate);
    }
    const int blockAlign = audioIndex >= 0 ? input->streams[audioIndex]->codecpar->block_align : 0;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(input, packet) >= 0) {
        if (packet->stream_index == videoIndex) {
            probe.audioBeforeFrame.push_back(probe.audioSamples);
            probe.videoFrames += 1;
        } else if (packet->stream_index == audioIndex && blockAlign > 0) {
            probe.audioSamples += packet->size / blockAlign;
            probe.audioBytes.insert(probe.audioBytes.end(), packet->data, packet->data + packet->size);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&input);
    return probe;
}

int64_t firstFrameOutOfStep(const AviProbe& probe, int32_t framesPerSecond) {
    for (size_t n = 0; n < probe.audioBeforeFrame.size(); ++n)
        if (probe.audioBeforeFrame[n] != int64_t(n + 1) * 44100 / framesPerSecond) return int64_t(n);
    return probe.audioSamples == probe.videoFrames * 44100 / framesPerSecond ? -1 : probe.videoFrames;
}
