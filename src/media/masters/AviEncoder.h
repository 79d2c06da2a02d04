// One AVI file being written: a video stream in the chosen codec and an optional 16-bit PCM
// stream, over libavformat's AVI muxer. Operations return 0 or a negative library error code;
// the caller decides what is fatal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AviVideoFormat {
    int32_t width = 640;
    int32_t height = 480;
    int32_t framesPerSecond = 25;
    std::string codec = "lossless"; // one of AviEncoder::codecNames()
};

struct AviAudioFormat {
    int32_t rate = 44100;
    int32_t channels = 2;
    int32_t bits = 16;
    int32_t blockAlign() const { return bits / 8 * channels; }
};

class AviEncoder {
public:
    AviEncoder();
    ~AviEncoder(); // finishes the file if it is still open
    AviEncoder(const AviEncoder&) = delete;
    AviEncoder& operator=(const AviEncoder&) = delete;

    // Names the file; nothing is created on disk yet, so the streams can be checked first.
    int prepare(const std::string& fileName);
    // Adds the video stream and opens its encoder.
    int createVideoStream(const AviVideoFormat& format);
    // Adds the PCM stream; must come before `begin`.
    int createAudioStream(const AviAudioFormat& format);
    // Creates the file (truncating an old one).
    int openFile();
    // Writes the file header; no stream can be added afterwards.
    int begin();

    // One frame of width x height pixels, 3 bytes each (blue, green, red); rows top to bottom,
    // or bottom to top when `bottomUp` is set.
    int writeVideoFrame(const uint8_t* pixels, bool bottomUp);
    // `count` sample frames of interleaved 16-bit little-endian samples.
    int writeAudio(const uint8_t* samples, int32_t count);

    // Drains the encoder, writes the index and closes the file. Safe to call twice.
    int finish();

    bool isOpen() const;
    bool hasAudio() const;
    int64_t getFramesWritten() const;
    int64_t getAudioSamplesWritten() const;

    // The codec names a render can be written in, in the order the usage text lists them:
    // "lossless" (the default lossless codec), each lossless codec by its own name ("utvideo",
    // "ffv1"), "mjpeg", "mpeg" (MPEG-4 Part 2) and "raw" (uncompressed BGR24).
    static const std::vector<std::string>& codecNames();
    static bool isKnownCodec(const std::string& name);

    // The library's text for an error code ("Permission denied", "No space left on device").
    static std::string describeError(int code);
    // Error codes for a codec name that is not one of the four, for a frame size or rate the
    // writer cannot take, and for sound that did not fit the capture buffer.
    static int unknownCodecError();
    static int invalidFormatError();
    static int bufferFullError();
    // The error code of a full disk, and whether a code is it.
    static int diskFullError();
    static bool isDiskFullError(int code);

private:
    struct State;
    std::unique_ptr<State> state;
};
