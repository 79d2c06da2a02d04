// JPEG decoding of files held in memory into packed 3-byte red-green-blue pixels; keeps the
// decoding library out of the code that uses images.
#pragma once

#include <cstdint>

namespace JpegDecoder {

struct Decoder; // one decoding session, reusable for many files

// A new decoder, or null when the library cannot make one.
Decoder* create();
void destroy(Decoder* decoder); // null is ignored

// The picture's size from the file's header; false when the bytes are not a readable JPEG.
bool readHeader(Decoder* decoder, const uint8_t* data, int32_t size, int32_t& width, int32_t& height);
// Decodes the whole picture at its own size into width x height x 3 bytes, rows packed, top row
// first, grey pictures as three equal bytes. False when the data does not decode cleanly.
bool decodeRgb(Decoder* decoder, const uint8_t* data, int32_t size, uint8_t* pixels, int32_t width,
               int32_t height);
// The library's text for the last failure of this decoder.
const char* lastError(Decoder* decoder);

} // namespace JpegDecoder
