// FFmpeg's text for an error code, and the freeing of the objects that the clip reader, the AVI
// encoder, the master reader and the film writer hold, written once for all four.
#pragma once

#include <string>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;
struct SwrContext;

namespace Ffmpeg {

// FFmpeg's text for a negative error code (AVERROR); empty when it has none.
std::string errorText(int code);

// Each frees the object, if there is one, and leaves the pointer null.
void release(AVCodecContext*& codec);
void release(AVFrame*& frame);
void release(AVPacket*& packet);
void release(SwsContext*& scaler);
void release(SwrContext*& resampler);
// An opened input (avformat_open_input).
void releaseInput(AVFormatContext*& input);
// An output container: its file is closed first when it was opened.
void releaseOutput(AVFormatContext*& output, bool fileOpen);

template <typename... Objects> void releaseAll(Objects&... objects) {
    (release(objects), ...);
}

} // namespace Ffmpeg
