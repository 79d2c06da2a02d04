// Piece one's render writers: one per part, reading the piece's 640x480 frame buffer back, each
// with the sound of its part.
#include "pieces/one/PieceOneVideo.h"

#include "media/masters/RenderOutput.h"
#include "media/masters/RenderWriter.h"
#include "pieces/common/PieceContext.h"
#include "pieces/common/ShowParts.h"
#include "platform/DisplayDevice.h"

namespace {
constexpr ShowPartIndex partFiles[3] = {openingPart, mainPart, closingPart};
}

PieceOneVideo::PieceOneVideo() = default;
PieceOneVideo::~PieceOneVideo() = default;

void PieceOneVideo::setup(const PieceContext& context) {
    // The display stays open for the piece's presents, with its window hidden: the frames go
    // to the files, not to the screen.
    if (context.device) context.device->open();
    Sys_HideWindow(getWindowHandle());
    release();
    output = context.render;
    framesPerSecond = context.framesPerSecond;
    codecName = context.codecName;
}

void PieceOneVideo::beginPart(int part, FrameBuffer* frameBuffer, uint32_t channel) {
    if (part < 0 || part >= 3 || !output) return;
    writers[part].reset();
    writers[part] = output->open(
        RenderFileFormat{showParts[partFiles[part]].fileName, 640, 480, framesPerSecond, codecName, true});
    writers[part]->attach(frameBuffer, channel);
}

void PieceOneVideo::writeFrame(int part, int32_t percent) {
    if (part >= 0 && part < 3 && writers[part]) writers[part]->writeFrame(percent);
}

void PieceOneVideo::skipFrame(int part) {
    if (part >= 0 && part < 3 && writers[part]) writers[part]->skipFrame();
}

void PieceOneVideo::endPart(int part) {
    if (part < 0 || part >= 3 || !writers[part]) return;
    std::unique_ptr<RenderWriter> writer = std::move(writers[part]);
    writer->finish();
    output->getCapture().reset();
}

void PieceOneVideo::release() {
    for (auto& writer : writers)
        writer.reset();
}
