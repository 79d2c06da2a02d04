// Reads back an AVI file written by the render mode: its streams, the order of its packets and
// its decoded frames and sound, for the render tests.
#pragma once

#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <vector>

struct AviProbe {
    bool opened = false;
    std::string videoCodec;
    int32_t width = 0, height = 0;
    int32_t rateNumerator = 0, rateDenominator = 0; // video frames per second as a fraction
    bool hasAudio = false;
    int32_t sampleRate = 0, channels = 0, bitsPerSample = 0, blockAlign = 0;
    int64_t videoFrames = 0;
    int64_t audioSamples = 0;
    // Audio samples in the file before each video frame, in file order.
    std::vector<int64_t> audioBeforeFrame;
    std::vector<uint8_t> audioBytes;
    // Decoded frames as blue, green, red bytes, rows top to bottom (only when decoding).
    std::vector<std::vector<uint8_t>> frames;
};

AviProbe probeAvi(const std::string& path, bool decodeFrames = false);

// The first video frame not preceded by exactly its share of the sound at framesPerSecond
// (videoFrames when only the total is wrong), or -1 when the sound is in step throughout.
int64_t firstFrameOutOfStep(const AviProbe& probe, int32_t framesPerSecond);
