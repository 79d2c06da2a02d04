// A piece's render writer: the AVI render file reading its frames back from the piece's frame
// buffer.
#include "media/masters/RenderWriter.h"

RenderWriter::RenderWriter(const RenderFileFormat& format, RenderOutput& output)
    : file(std::make_unique<RenderFile>(format, output)) {}

RenderWriter::~RenderWriter() = default;

void RenderWriter::attach(FrameBuffer* frameBuffer, SoundHandle channel) {
    file->readFramesFrom(frameBuffer, channel);
}

void RenderWriter::writeFrame(int32_t percent) {
    file->writeFrame(percent);
}

void RenderWriter::skipFrame() {
    file->skipFrame();
}

void RenderWriter::finish() {
    file->finish();
}

int32_t RenderWriter::getFramesWritten() const { return file->getFramesWritten(); }
