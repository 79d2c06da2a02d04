// A piece's render writer: the frame buffer read back to 3 bytes per pixel, then written with
// its sound through the AVI writer.
#include "media/render/RenderWriter.h"

#include "media/VideoFile.h"
#include "platform/FrameBuffer.h"
#include "platform/pixels/FastMemory.h"

#include <algorithm>

RenderWriter::RenderWriter(const RenderFileFormat& fileFormat) : format(fileFormat) {
    rgbFrame.assign(size_t(format.width) * size_t(format.height) * 3, 0);
    file = std::make_unique<VideoFile>(nullptr, format.fileName.c_str(), format.width, format.height,
                                       format.withAudio, format.framesPerSecond, 44100, 16);
}

RenderWriter::~RenderWriter() = default;

void RenderWriter::attach(FrameBuffer* frameBuffer, SoundHandle soundChannel) {
    source = frameBuffer;
    channel = soundChannel;
    file->setSourceBuffer(rgbFrame.data(), &channel);
}

void RenderWriter::writeFrame(int32_t percent) {
    if (source && source->getPixels() && source->getBitsPerPixel() == 32) {
        const int32_t storeWidth = source->getWidth();
        const int32_t storeRows = source->getHeight() * (source->isDoubled() ? 2 : 1);
        const int32_t rows = std::min(format.height, storeRows);
        const int32_t columns = std::min(format.width, storeWidth);
        for (int32_t y = 0; y < rows; ++y)
            FastMemory::to24(rgbFrame.data() + size_t(y) * size_t(format.width) * 3,
                             source->getPixels() + size_t(y) * size_t(storeWidth) * 4, size_t(columns));
    }
    file->update(percent);
}

int32_t RenderWriter::getFramesWritten() const { return file->getFramesWritten(); }
