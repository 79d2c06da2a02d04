// Video files: reading decoded frames of the show's clips by time, and writing rendered frames
// with their sound. Failures of the file layer are fatal and go through `fail`.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/SoundSystem.h"

class VideoFrameSource;

// A failure of the video file layer, as `fail` would report it (message and error code).
struct VideoFileError {
    std::string message;
    int code;
};

// What a reader does on failure: end the process through `fail` (the show), or throw a
// VideoFileError (decoding on a worker thread, whose owner reports it later through `fail`).
enum class VideoFailureMode { Fatal, Throw };

class VideoFile {
public:
    using ErrorCallback = void (*)();
    // Called before a fatal video error is shown (the shell closes its display there).
    static void setErrorCallback(ErrorCallback callback);
    static ErrorCallback getErrorCallback();

    // Reader: opens the clip file, finds its first video stream and decoder and decodes frame 0
    // for the size.
    explicit VideoFile(const char* fileName, VideoFailureMode failureMode = VideoFailureMode::Fatal);
    virtual ~VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    // Decodes the frame shown at timeMs into destination, rows top to bottom, bytes blue, green,
    // red: 4 bytes per pixel (the fourth 0) when toFrameBuffer, 3 otherwise. The frame is
    // scaled to the size of frame 0, so destination always needs getWidth x getHeight pixels.
    // A time past the last frame gives the last frame; a negative time gives frame 0.
    virtual void readFrame(uint8_t* destination, int32_t timeMs, bool toFrameBuffer);
    // The frame number shown at timeMs: floor(timeMs x rate / (scale x 1000)).
    int64_t frameAtTime(int32_t timeMs) const;
    void setFailureMode(VideoFailureMode mode) { failureMode = mode; }

    virtual int32_t getWidth() { return width; }
    virtual int32_t getHeight() { return height; }

    // Reports a fatal error: the error callback, an "Error!" box with the message and the
    // system's text for code, then exit code 1 (exit handlers run, so temporary clips go).
    [[noreturn]] static void fail(const std::string& message, int code);
    // The box text of fail: "message - 'system text'" or "message!" when the code has no text.
    static std::string failureText(const std::string& message, int code);

    // Writer: creates fileName (an AVI file) with a video stream of width x height at
    // framesPerSecond in the codec chosen on the command line and, withAudio, a PCM stream of
    // audioRate Hz, audioBits bits, stereo. A failure of the file layer goes through `fail`;
    // a file that cannot take the sound gets a warning and is written without it.
    VideoFile(void* instanceHandle, const char* fileName, int32_t width, int32_t height, bool withAudio,
              int32_t framesPerSecond, int32_t audioRate, int32_t audioBits);
    // Writer: the frame source (buffer = mode 3, read-back of the current frame buffer = mode 2,
    // source object = mode 1) and the channel whose sound goes with the frames.
    virtual void setSourceBuffer(const uint8_t* buffer, const SoundHandle* channel);
    virtual void setSourceReadBack(void* parameter, const SoundHandle* channel);
    virtual void setSourceObject(VideoFrameSource* object, const SoundHandle* channel);
    // Writer: appends the next frame with the sound that belongs to it and shows the progress
    // (0..100; negative leaves it alone).
    virtual void update(int32_t percent);
    // Writer: kind 1 = a frame of width x height x 3 bytes (blue, green, red, rows top to
    // bottom), 2 = a read-back of the current frame buffer (data unused), 3 = the audio of the
    // next frame.
    virtual void writeData(const uint8_t* data, int32_t kind);
    // Writer: captures sound until the next frame's audio is there or the channel has ended.
    virtual void waitForAudio();
    virtual int32_t getAudioSamplesWritten();
    virtual void setAudioRate(int32_t rate);
    virtual uint8_t* getAudioBuffer();
    // True once the progress window has been closed (or cancelled).
    virtual bool isDialogClosed();
    int32_t getFramesWritten() const;
    bool isAudioEnabled() const;

private:
    void open(const char* fileName);
    [[noreturn]] void failWith(const VideoFileError& error);

    struct Reader;
    Reader* reader = nullptr;
    struct Writer;
    struct WriterDeleter {
        void operator()(Writer* writer) const; // finishes the file
    };
    std::unique_ptr<Writer, WriterDeleter> writer;
    VideoFailureMode failureMode = VideoFailureMode::Fatal;
    int32_t framesPerSecond = -1;
    int32_t width = -1;
    int32_t height = -1;
    uint8_t* readDestination = nullptr;
};

// Render mode: the sound capture starts over at position 0 with what it held silenced (piece
// one calls it between its parts).
void resetAudioCapture();
