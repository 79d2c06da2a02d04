// Reading the decoded frames of one of the show's clips by time. Every failure throws a
// VideoFailure naming the clip file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class ClipReader {
  public:
    // Opens the clip file, finds its first video stream and decoder and decodes frame 0 for the
    // size.
    explicit ClipReader(const std::string& fileName);
    ~ClipReader();
    ClipReader(const ClipReader&) = delete;
    ClipReader& operator=(const ClipReader&) = delete;

    // Decodes the frame shown at timeMs into destination, rows top to bottom, bytes blue, green,
    // red: 4 bytes per pixel (the fourth 0) when toFrameBuffer, 3 otherwise. The frame is
    // scaled to the size of frame 0, so destination always needs getWidth x getHeight pixels.
    // A time past the last frame gives the last frame; a negative time gives frame 0.
    void readFrame(uint8_t* destination, int32_t timeMs, bool toFrameBuffer);
    // The frame number shown at timeMs: floor(timeMs x rate / (scale x 1000)).
    int64_t frameAtTime(int32_t timeMs) const;

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }

  private:
    void open();
    [[noreturn]] void fail(const std::string& message, int code) const;

    struct Decoder;
    std::unique_ptr<Decoder> decoder;
    std::string fileName;
    int32_t width = -1;
    int32_t height = -1;
};
