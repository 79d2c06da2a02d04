// One AVI file being rendered: a video stream in the chosen codec and, optionally, 16-bit PCM
// sound taken from the render capture, each frame written with exactly the sound that belongs
// to it. Failures throw a VideoFailure naming the file.
#pragma once

#include "media/sound/SoundSystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class FrameBuffer;
class RenderOutput;
class VideoFailure;

struct RenderFileSettings {
    std::string fileName;
    int32_t width = 640;
    int32_t height = 480;
    int32_t framesPerSecond = 25;
    std::string codecName = "lossless";
    bool withAudio = true;
    int32_t audioRate = 44100;
    int32_t audioBits = 16;
};

// Where the frames come from: a buffer of width x height x 3 bytes (blue, green, red, rows top
// to bottom), or a frame buffer read back (bytes 0..2 of each 4-byte pixel).
enum class FrameSource { None, Buffer, FrameBufferReadBack };

class RenderFile {
  public:
    // Creates the file. Settings the encoder refuses create nothing; a file that cannot take
    // the sound gets a warning and is written without it.
    // output gives the sound capture and takes the progress, the finished file and the warning.
    RenderFile(const RenderFileSettings& settings, RenderOutput& output);
    // Finishes the file when finish was not called; a failure then is kept for
    // takeUnreportedFailure, since a destructor cannot report it.
    ~RenderFile();
    RenderFile(const RenderFile&) = delete;
    RenderFile& operator=(const RenderFile&) = delete;

    // The frame source and the channel whose sound goes with the frames (0: none).
    void readFramesFrom(const uint8_t* buffer, SoundHandle channel);
    void readFramesFrom(FrameBuffer* frameBuffer, SoundHandle channel);
    // Appends the next frame with the sound that belongs to it and shows the progress (0..100;
    // negative leaves it alone).
    void writeFrame(int32_t percent);
    // Passes over the next frame of the part: its sound is taken from the capture and dropped,
    // so the frames written after it keep exactly their own sound (a render of a range).
    void skipFrame();
    // Writes the header lengths and the index and closes the file.
    void finish();

    int32_t getFramesWritten() const;
    int64_t getAudioSamplesWritten() const;
    bool isAudioEnabled() const;

    // The first failure of a file finished by its destructor, once.
    static std::optional<VideoFailure> takeUnreportedFailure();

  private:
    struct Writer;
    std::unique_ptr<Writer> writer;
};
