// TurboJPEG encoder wrapper: 4:4:4 colour for sharp menu text and photographs, one-channel grey
// for fade maps.
#include "images/JpegEncoder.h"

#include <stdexcept>
#include <turbojpeg.h>

namespace {
std::vector<uint8_t> compress(const uint8_t* pixels, int width, int height, int pixelFormat,
                              int subsampling, int quality, const std::string& what) {
    tjhandle handle = tjInitCompress();
    if (!handle) throw std::runtime_error("couldn't start the JPEG encoder for " + what);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    int pitch = width * tjPixelSize[pixelFormat];
    int status = tjCompress2(handle, pixels, width, pitch, height, pixelFormat, &jpeg, &size,
                             subsampling, quality, TJFLAG_ACCURATEDCT);
    std::string message = status != 0 ? tjGetErrorStr2(handle) : "";
    std::vector<uint8_t> out;
    if (status == 0) out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    if (status != 0) throw std::runtime_error("couldn't encode " + what + ": " + message);
    return out;
}
} // namespace

std::vector<uint8_t> JpegEncoder::encodeColour(const Picture& picture, int quality,
                                               const std::string& what) {
    std::vector<uint8_t> rgb = picture.toRgb();
    return compress(rgb.data(), picture.width(), picture.height(), TJPF_RGB, TJSAMP_444, quality, what);
}

std::vector<uint8_t> JpegEncoder::encodeGrey(const GreyPicture& picture, int quality,
                                             const std::string& what) {
    if (picture.values.size() != size_t(picture.width) * size_t(picture.height))
        throw std::runtime_error("couldn't encode " + what + ": wrong number of values");
    return compress(picture.values.data(), picture.width, picture.height, TJPF_GRAY, TJSAMP_GRAY,
                    quality, what);
}
