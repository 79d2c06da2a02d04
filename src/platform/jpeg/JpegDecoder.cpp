// JPEG decoding through libjpeg-turbo's TurboJPEG interface.
#include "platform/jpeg/JpegDecoder.h"

#include <turbojpeg.h>

namespace JpegDecoder {

struct Decoder {
    tjhandle handle;
};

Decoder* create() {
    tjhandle handle = tjInitDecompress();
    if (!handle) return nullptr;
    return new Decoder{handle};
}

void destroy(Decoder* decoder) {
    if (!decoder) return;
    tjDestroy(decoder->handle);
    delete decoder;
}

bool readHeader(Decoder* decoder, const uint8_t* data, int32_t size, int32_t& width, int32_t& height) {
    if (!decoder || !data || size <= 0) return false;
    int w = 0, h = 0, subsampling = 0, colourSpace = 0;
    if (tjDecompressHeader3(decoder->handle, data, static_cast<unsigned long>(size), &w, &h, &subsampling,
                            &colourSpace) != 0)
        return false;
    if (w <= 0 || h <= 0) return false;
    width = w;
    height = h;
    return true;
}

bool decodeRgb(Decoder* decoder, const uint8_t* data, int32_t size, uint8_t* pixels, int32_t width,
               int32_t height) {
    if (!decoder || !data || size <= 0 || !pixels) return false;
    // Any complaint of the library counts, also one it could decode past: a damaged picture
    // is refused rather than shown half grey.
    return tjDecompress2(decoder->handle, data, static_cast<unsigned long>(size), pixels, width, 0, height,
                         TJPF_RGB, TJFLAG_STOPONWARNING) == 0;
}

const char* lastError(Decoder* decoder) {
    return decoder ? tjGetErrorStr2(decoder->handle) : "no decoder";
}

} // namespace JpegDecoder
