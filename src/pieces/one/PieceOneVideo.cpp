// Piece one's render writers: one per part, reading the piece's 640x480 frame buffer back, each
// with the sound of its part.
#include "pieces/one/PieceOneVideo.h"

#include "media/masters/RenderFile.h"
#include "media/masters/RenderWriter.h"
#include "pieces/common/PieceContext.h"
#include "platform/DisplayDevice.h"

namespace PieceOneVideo {

namespace {
constexpr const char* partFileNames[3] = {"piece_pre1.avi", "piece_1.avi", "piece_post1.avi"};

// Not owned by a static object: a file still open when the process ends is finished by the
// render files' exit handler, not by a destructor running after it.
RenderWriter* writers[3] = {};

RenderWriter* writerOf(int part) {
    return part >= 0 && part < 3 ? writers[part] : nullptr;
}
} // namespace

void setup(const PieceContext& context) {
    // The display stays open for the piece's presents, with its window hidden: the frames go
    // to the files, not to the screen.
    if (context.device) context.device->open();
    Sys_HideWindow(getWindowHandle());
    for (int part = 0; part < 3; ++part) {
        delete writers[part];
        writers[part] = nullptr;
        writers[part] = new RenderWriter(RenderFileFormat{partFileNames[part], 640, 480,
                                                          context.framesPerSecond, context.codecName, true});
    }
}

void beginPart(int part, FrameBuffer* frameBuffer, uint32_t channel) {
    if (RenderWriter* writer = writerOf(part)) writer->attach(frameBuffer, channel);
}

void writeFrame(int part, int32_t percent) {
    if (RenderWriter* writer = writerOf(part)) writer->writeFrame(percent);
}

void endPart(int part) {
    if (writerOf(part)) resetAudioCapture();
}

void release() {
    for (RenderWriter*& writer : writers) {
        delete writer;
        writer = nullptr;
    }
}

} // namespace PieceOneVideo
