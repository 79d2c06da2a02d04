// Making the pieces' services and a context that carries them.
#include "pieces/common/PieceServices.h"

PieceServices::PieceServices(FileServer& files_, RenderReport report)
    : files(files_), render(sound, std::move(report)) {}

PieceContext PieceServices::contextFor(DisplayDevice* device, FrameBuffer* frameBuffer) {
    PieceContext context;
    context.device = device;
    context.frameBuffer = frameBuffer;
    context.clock = &clock;
    context.files = &files;
    context.sound = &sound;
    context.clips = &clips;
    context.scenes = &scenes;
    context.render = &render;
    return context;
}
