// Render sizes per codec and the room a file keeps.
#include "media/masters/RenderSpace.h"

#include "media/masters/EncoderThread.h"

namespace RenderSpace {

int64_t typicalFrameBytes(const std::string& codecName, int32_t width, int32_t height, int32_t framesPerSecond) {
    // Bytes of one 640x480 picture of the show, whole renders of the default data.
    int64_t picture = 160'000; // lossless: UT Video
    if (codecName == "ffv1")
        picture = 80'000;
    else if (codecName == "mjpeg")
        picture = 33'000;
    else if (codecName == "mpeg")
        picture = 31'000;
    else if (codecName == "raw")
        picture = 640 * 480 * 3;
    const int64_t scaled = picture * int64_t(width) * int64_t(height) / (640 * 480);
    const int64_t sound = framesPerSecond > 0 ? 44100 * 4 / framesPerSecond : 0;
    return scaled + sound + 32; // two chunk headers
}

int64_t reserveBeforeFrame(int64_t frameBytes, int64_t framesWritten) {
    constexpr int64_t indexBytesPerFrame = 2 * 16 + 2 * 8; // idx1 and standard index entries
    constexpr int64_t trailerBytes = 1 << 20;
    return int64_t(EncoderThread::maxQueuedJobs + 2) * frameBytes + (framesWritten + 1) * indexBytesPerFrame +
           trailerBytes;
}

} // namespace RenderSpace
