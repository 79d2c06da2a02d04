// OImage: a JPEG file from the file service, decoded once at construction into packed 3-byte
// pixels (red, green, blue; row 0 at the top). All images share one decoder, made when the
// first image is built and released when the last one goes.
#pragma once

#include <cstdint>

class FileServer;

class OImage {
  public:
    // name: an archive name such as "data/entry1.jpg", read from files. width and height: -1 (the only use in
    // the show); the picture is always decoded at, and reports, the JPEG's own size. Throws the couldn't-read
    // error with the name when the file is unknown or does not decode, the image-reader error when no decoder
    // can be made.
    OImage(FileServer& files, const char* name, int32_t width, int32_t height);
    // Decodes a picture held in memory under the given name, with the same checks and errors as
    // a file from the file service; the caller keeps the bytes.
    OImage(const char* name, const uint8_t* data, int32_t size);
    ~OImage();
    OImage(const OImage&) = delete;
    OImage& operator=(const OImage&) = delete;

    // width x height x 3 bytes, read-only for clients.
    uint8_t* getImage() { return pixels; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    const char* getName() const { return name; }
    bool isValid() const { return valid != 0; }

    // Largest width or height accepted: a header declaring more is refused before any pixel
    // memory is allocated.
    static constexpr int32_t maxSide = 8192;

    // Number of live images (the decoder exists while it is above 0).
    static int32_t getUsageCount();

  private:
    // Names the image, makes the shared decoder when needed, decodes and counts the image.
    // files is null for a picture held in memory.
    void construct(const char* name, const uint8_t* data, int32_t size, FileServer* files);
    void decode(FileServer& files, const char* readingMessage);
    void decodeBytes(const char* readingMessage);
    // Logs the failed read, frees what the image holds and throws the error.
    [[noreturn]] void fail(const char* readingMessage, bool couldntInitialize);
    void releaseOnFailure();

    uint8_t valid = 0;
    uint8_t* pixels = nullptr;
    uint8_t* jpegData = nullptr;
    bool ownsJpegData = false; // the file service's buffer in archive mode; never the caller's bytes
    char* name = nullptr;
    int32_t jpegSize = 0;
    int32_t width = 0;
    int32_t height = 0;
};
