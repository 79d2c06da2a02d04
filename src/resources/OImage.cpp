// OImage construction and destruction with their diagnostic lines, and the shared decoder.
#include "resources/OImage.h"

#include "platform/DebugServer.h"
#include "platform/Errors.h"
#include "platform/jpeg/JpegDecoder.h"
#include "resources/FileServer.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {
int32_t usageCount = 0;
JpegDecoder::Decoder* sharedDecoder = nullptr;

void releaseSharedDecoder() {
    JpegDecoder::destroy(sharedDecoder);
    sharedDecoder = nullptr;
}
} // namespace

int32_t OImage::getUsageCount() {
    return usageCount;
}

OImage::OImage(FileServer& files, const char* name_, int32_t /*width*/, int32_t /*height*/) {
    construct(name_, nullptr, 0, &files);
}

OImage::OImage(const char* name_, const uint8_t* data, int32_t size) {
    construct(name_, data, size, nullptr);
}

void OImage::construct(const char* name_, const uint8_t* data, int32_t size, FileServer* files) {
    valid = 0;
    debugLog("{OImage::OImage()}: Allocating resources...", 0);
    std::string reading = std::string("{OImage::OImage()}: Reading ") + (name_ ? name_ : "") + "...";
    size_t length = name_ ? std::strlen(name_) : 0;
    name = new char[length + 1];
    if (name_) std::memcpy(name, name_, length);
    name[length] = 0;

    if (usageCount == 0) {
        debugLog("{OImage::OImage()}: Usage count equals zero - allocating shared data...", 5);
        if (!sharedDecoder) sharedDecoder = JpegDecoder::create();
        if (!sharedDecoder) fail(reading.c_str(), true);
    }
    if (files) {
        decode(*files, reading.c_str());
    } else {
        jpegData = const_cast<uint8_t*>(data);
        jpegSize = size;
        ownsJpegData = false;
        decodeBytes(reading.c_str());
    }

    ++usageCount;
    valid = 1;
    debugLog("{OImage::OImage()}: Done.", 0);
}

void OImage::decode(FileServer& files, const char* reading) {
    // An unknown name gives no bytes; the file service may itself throw for a missing loose file.
    try {
        jpegData = files.getFile(name);
        jpegSize = files.getFileSize(name);
    } catch (...) {
        fail(reading, false);
    }
    // In archive mode every getFile hands the caller a buffer of its own; loose files stay
    // with the file service.
    ownsJpegData = isArchiveMode();
    decodeBytes(reading);
}

void OImage::decodeBytes(const char* reading) {
    int32_t jpegWidth = 0, jpegHeight = 0;
    if (!jpegData || jpegSize <= 0 ||
        !JpegDecoder::readHeader(sharedDecoder, jpegData, jpegSize, jpegWidth, jpegHeight))
        fail(reading, false);
    if (jpegWidth > maxSide || jpegHeight > maxSide) {
        // Refused on the header alone, before the pixel buffer: a damaged or hostile entry
        // must not make the show allocate gigabytes.
        char declared[96];
        std::snprintf(declared, sizeof declared, " (declares %dx%d pixels, more than %dx%d)", jpegWidth,
                      jpegHeight, maxSide, maxSide);
        std::string detail = std::string(name) + declared;
        debugLog((std::string(reading) + "Failed!").c_str(), 0);
        releaseOnFailure();
        Errors::raise(Errors::couldntReadFile, detail.c_str());
    }

    // The buffer always has the JPEG's own size, and the image reports that size, so that
    // clients reading width x height pixels stay inside it.
    width = jpegWidth;
    height = jpegHeight;
    size_t bytes = size_t(jpegWidth) * size_t(jpegHeight) * 3;
    pixels = new (std::nothrow) uint8_t[bytes];
    if (!pixels) {
        debugLog((std::string(reading) + "Failed!").c_str(), 0);
        releaseOnFailure();
        Errors::raise(Errors::outOfMemory);
    }
    if (!JpegDecoder::decodeRgb(sharedDecoder, jpegData, jpegSize, pixels, jpegWidth, jpegHeight))
        fail(reading, false);

    char done[64];
    std::snprintf(done, sizeof done, "Done! (%d bytes read.)", jpegSize);
    debugLog((std::string(reading) + done).c_str(), 6);
    // The picture is decoded, so the bytes go back now.
    if (ownsJpegData) delete[] jpegData;
    jpegData = nullptr;
}

void OImage::releaseOnFailure() {
    delete[] pixels;
    pixels = nullptr;
    if (ownsJpegData) delete[] jpegData;
    jpegData = nullptr;
    delete[] name;
    name = nullptr;
    // A decoder made for this image alone goes again, so a later image starts afresh.
    if (usageCount == 0) releaseSharedDecoder();
}

void OImage::fail(const char* reading, bool couldntInitialize) {
    debugLog((std::string(reading) + "Failed!").c_str(), 0);
    std::string failedName = name ? name : "";
    releaseOnFailure();
    if (couldntInitialize) Errors::raise(Errors::couldntInitImageReader);
    Errors::raise(Errors::couldntReadFile, failedName.c_str());
}

OImage::~OImage() {
    debugLog("{OImage::~OImage()}: Freeing resources...", 0);
    if (pixels) {
        delete[] pixels;
        pixels = nullptr;
        debugLog("{OImage::OImage}: Freeing image buffer", 5);
    } else {
        char warning[96];
        std::snprintf(warning, sizeof warning, "WARNING: imageBuffer address==%x - not freeing it!", 0u);
        debugLog(warning, 2);
    }
    delete[] name;
    name = nullptr;
    if (--usageCount == 0) {
        releaseSharedDecoder();
        debugLog("{OImage::OImage()}: Usage count dropped to zero - freeing shared data...Done.", 4);
    }
    debugLog("{OImage::~OImage()}: Done.", 0);
}
