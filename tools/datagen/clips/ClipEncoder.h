// Encodes frames of 24-bit RGB into an AVI file held in memory: MPEG-4 Part 2 video at a fixed
// frame rate and quantiser, a keyframe at the start and at every group boundary, one thread,
// bit-exact settings, so the same frames always give the same bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ClipEncoder {
public:
    struct Settings {
        int width = 0, height = 0;
        int framesPerSecond = 25;
        int quantiser = 3;  // fixed quality: 2 (best) .. 31
        int groupLength = 23; // frames from one keyframe to the next
    };
    // `what` names the clip in error messages. Throws std::runtime_error on failure.
    ClipEncoder(const Settings& settings, const std::string& what);
    ~ClipEncoder();
    ClipEncoder(const ClipEncoder&) = delete;
    ClipEncoder& operator=(const ClipEncoder&) = delete;

    // Adds one frame of width x height pixels, 3 bytes each (red, green, blue), rows top down.
    void addFrame(const std::vector<uint8_t>& rgb);
    // Flushes the encoder, closes the file and returns its bytes; the encoder is spent after it.
    std::vector<uint8_t> finish();

    struct State; // FFmpeg objects and the file being written

private:
    std::unique_ptr<State> state;
};
