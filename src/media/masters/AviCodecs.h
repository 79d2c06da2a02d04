// The video codecs a render file can be written in: which encoder and picture layout each name
// stands for, how each encoder is set up, and the row conversions into its picture layout.
#pragma once

#include "media/masters/AviEncoder.h"

#include <cstdint>
#include <string>

struct AVCodecContext;

namespace AviCodecs {

// FFmpeg's codec id and pixel format (AVCodecID, AVPixelFormat) of a codec name.
struct CodecChoice {
    int id;
    int pixelFormat;
};

// The encoder and picture layout for a codec name; false for a name that is not one.
bool chooseCodec(const std::string& codecName, CodecChoice& choice);
// Sets size, rate, threads and the codec's own options on a new encoder context.
void configureEncoder(AVCodecContext* video, const CodecChoice& choice, const AviVideoFormat& format);
// 3-byte pixels (blue, green, red) to 4-byte ones with a zero fourth byte.
void widenRow(uint32_t* to, const uint8_t* from, int32_t pixels);
// 3-byte pixels (blue, green, red) to the green, blue and red planes of a planar picture.
void splitRow(uint8_t* green, uint8_t* blue, uint8_t* red, const uint8_t* from, int32_t pixels);

} // namespace AviCodecs
