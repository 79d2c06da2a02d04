// A piece's render writer: the AVI render file reading its frames back from the piece's frame
// buffer.
#include "media/render/RenderWriter.h"

#include "media/render/RenderFile.h"

RenderWriter::RenderWriter(const RenderFileFormat& format) {
    RenderFileSettings settings;
    settings.fileName = format.fileName;
    settings.width = format.width;
    settings.height = format.height;
    settings.framesPerSecond = format.framesPerSecond;
    settings.codecName = format.codecName;
    settings.withAudio = format.withAudio;
    file = std::make_unique<RenderFile>(settings);
}

RenderWriter::~RenderWriter() = default;

void RenderWriter::attach(FrameBuffer* frameBuffer, SoundHandle channel) {
    file->readFramesFrom(frameBuffer, channel);
}

void RenderWriter::writeFrame(int32_t percent) {
    file->writeFrame(percent);
}

int32_t RenderWriter::getFramesWritten() const { return file->getFramesWritten(); }
