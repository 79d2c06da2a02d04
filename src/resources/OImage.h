// OImage: a JPEG file from the file service, decoded once at construction into packed 3-byte
// pixels (red, green, blue; row 0 at the top). All images share one decoder, made when the
// first image is built and released when the last one goes.
#pragma once

#include <cstdint>

class OImage {
  public:
    // name: an archive name such as "data/entry1.jpg". width and height: -1 (the only use in
    // the show); the picture is always decoded at, and reports, the JPEG's own size. Throws the couldn't-read
    // error with the name when the file is unknown or does not decode, the image-reader error when no decoder
    // can be made.
    OImage(const char* name, int32_t width, int32_t height);
    ~OImage();
    OImage(const OImage&) = delete;
    OImage& operator=(const OImage&) = delete;

    // width x height x 3 bytes, read-only for clients.
    uint8_t* getImage() { return pixels; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    const char* getName() const { return name; }
    bool isValid() const { return valid != 0; }

    // Number of live images (the decoder exists while it is above 0).
    static int32_t getUsageCount();

  private:
    void decode(const char* readingMessage);
    // Logs the failed read, frees what the image holds and throws the error.
    [[noreturn]] void fail(const char* readingMessage, bool couldntInitialize);
    void releaseOnFailure();

    uint8_t valid = 0;
    uint8_t* pixels = nullptr;
    uint8_t* jpegData = nullptr;
    char* name = nullptr;
    int32_t jpegSize = 0;
    int32_t width = 0;
    int32_t height = 0;
};
