// Test material made on the spot: small AVI clips, MPEG audio, a tiny module.
#pragma once

#include "TestFiles.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace MediaTest {

// Colour 0x00RRGGBB of pixel (x, y) of frame n.
using PixelColour = std::function<uint32_t(int frame, int x, int y)>;

// The numbered test picture: blue = frame x 8, green = column x 16, red = row x 32.
inline uint32_t numberedPixel(int frame, int x, int y) {
    return uint32_t(y * 32) << 16 | uint32_t(x * 16) << 8 | uint32_t(frame * 8);
}

// Writes an AVI with one lossless FFV1 video stream; false when the encoder is missing or writing fails.
bool writeClip(const std::string& path, int width, int height, int framesPerSecond, int frameCount,
               const PixelColour& colour);

// An MPEG-1/2 Layer II stream of a sine tone, `seconds` long (rounded up to whole frames).
std::vector<uint8_t> makeMpegAudio(double seconds, int sampleRate, int channels);

// A four-channel ProTracker module of one pattern with one note: 64 rows at speed 6, tempo 125.
std::vector<uint8_t> makeModule();

} // namespace MediaTest
