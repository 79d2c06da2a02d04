// Reads back an AVI file written by the render mode: its streams, the order of its packets and
// its sound, for the render tests (its pictures: decodePicture in FilmProbe.h).
#pragma once

#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <vector>

struct AviProbe {
    std::string videoCodec; // empty when the file cannot be read
    double frameRate = 0;   // video frames per second
    int64_t videoFrames = 0;
    int64_t audioSamples = 0;
    // Audio samples in the file before each video frame, in file order.
    std::vector<int64_t> audioBeforeFrame;
    std::vector<uint8_t> audioBytes;
};

AviProbe probeAvi(const std::string& path);

// The first video frame not preceded by exactly its share of the sound at framesPerSecond
// (videoFrames when only the total is wrong), or -1 when the sound is in step throughout.
int64_t firstFrameOutOfStep(const AviProbe& probe, int32_t framesPerSecond);
