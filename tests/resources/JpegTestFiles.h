// Test JPEG files written with TurboJPEG: pictures of known pixels for the image tests.
#pragma once

#include "TestFiles.h"

#include <turbojpeg.h>

#include <string>
#include <vector>

// Writes pixels (3 bytes red, green, blue each, or 1 byte for grey) as a JPEG of quality 100
// without chroma subsampling; false when it cannot encode them.
inline bool writeTestJpeg(const std::string& path, const std::vector<uint8_t>& pixels, int width, int height,
                          bool grey = false) {
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    bool encoded = tjCompress2(encoder, pixels.data(), width, 0, height, grey ? TJPF_GRAY : TJPF_RGB, &jpeg,
                               &size, grey ? TJSAMP_GRAY : TJSAMP_444, 100, 0) == 0;
    if (encoded) writeFileBytes(path, std::vector<uint8_t>(jpeg, jpeg + size));
    tjFree(jpeg);
    tjDestroy(encoder);
    return encoded;
}
