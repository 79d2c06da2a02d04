// Piece one's video writers: one per part, fed from the piece's 640x480 frame buffer copied to
// 3 bytes per pixel, each with the sound of its part.
#include "pieces/one/PieceOneVideo.h"

#include "media/VideoFile.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/pixels/FastMemory.h"
#include "shell/ShowState.h"

#include <algorithm>
#include <vector>

namespace PieceOneVideo {

namespace {
constexpr int32_t frameWidth = 640;
constexpr int32_t frameHeight = 480;
constexpr const char* partFileNames[3] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi"};

VideoFile* writers[3] = {};
SoundHandle partChannels[3] = {};
std::vector<uint8_t> rgbFrame; // what the writers read: blue, green, red, rows top to bottom

VideoFile* writerOf(int part) { return part >= 0 && part < 3 ? writers[part] : nullptr; }

// The frame buffer's first three bytes of every pixel (blue, green, red), in memory order.
void copyFrame(FrameBuffer* frameBuffer) {
    const int32_t rows = std::min(frameHeight, frameBuffer->getHeight());
    const int32_t columns = std::min(frameWidth, frameBuffer->getWidth());
    const uint8_t* pixels = frameBuffer->getPixels();
    for (int32_t y = 0; y < rows; ++y)
        FastMemory::to24(rgbFrame.data() + size_t(y) * frameWidth * 3,
                         pixels + size_t(y) * size_t(frameBuffer->getWidth()) * 4, size_t(columns));
}
} // namespace

void setup(DisplayDevice* device, void* instanceHandle) {
    rgbFrame.assign(size_t(frameWidth) * frameHeight * 3, 0);
    // The display stays open for the piece's presents, with its window hidden: the frames go
    // to the files, not to the screen.
    if (device) device->open();
    Sys_HideWindow(getWindowHandle());
    for (int part = 0; part < 3; ++part) {
        delete writers[part];
        writers[part] = new VideoFile(instanceHandle, partFileNames[part], frameWidth, frameHeight, true,
                                      Show::framesPerSecond, 44100, 16);
    }
}

void beginPart(int part, uint32_t channel) {
    VideoFile* writer = writerOf(part);
    if (!writer) return;
    partChannels[part] = channel;
    writer->setSourceBuffer(rgbFrame.data(), &partChannels[part]);
}

bool writeFrame(int part, FrameBuffer* frameBuffer, int32_t percent) {
    VideoFile* writer = writerOf(part);
    if (!writer || !frameBuffer || !frameBuffer->getPixels()) return false;
    copyFrame(frameBuffer);
    writer->update(percent);
    return true;
}

void endPart(int part) {
    if (writerOf(part)) resetAudioCapture();
}

void release() {
    for (VideoFile*& writer : writers) {
        delete writer;
        writer = nullptr;
    }
}

} // namespace PieceOneVideo
