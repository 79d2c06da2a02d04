// Error texts and frees of FFmpeg objects.
#include "media/FfmpegObjects.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace Ffmpeg {

std::string errorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0) return std::string();
    return text;
}

void release(AVCodecContext*& codec) { avcodec_free_context(&codec); }
void release(AVFrame*& frame) { av_frame_free(&frame); }
void release(AVPacket*& packet) { av_packet_free(&packet); }

void release(SwsContext*& scaler) {
    sws_freeContext(scaler);
    scaler = nullptr;
}

void release(SwrContext*& resampler) { swr_free(&resampler); }

void releaseInput(AVFormatContext*& input) { avformat_close_input(&input); }

void releaseOutput(AVFormatContext*& output, bool fileOpen) {
    if (!output) return;
    if (fileOpen) avio_closep(&output->pb);
    avformat_free_context(output);
    output = nullptr;
}

} // namespace Ffmpeg
