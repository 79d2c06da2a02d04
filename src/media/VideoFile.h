// Video files: reading decoded frames of the show's clips by time, and writing rendered frames
// with their sound. Failures of the file layer are fatal and go through `fail`.
#pragma once

#include <cstdint>
#include <string>

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

private:
    [[noreturn]] void failWith(const VideoFileError& error);

    struct Reader;
    Reader* reader = nullptr;
    VideoFailureMode failureMode = VideoFailureMode::Fatal;
    int32_t framesPerSecond = -1;
    int32_t width = -1;
    int32_t height = -1;
    uint8_t* readDestination = nullptr;
};
