// The services of the render files.
#include "media/masters/RenderOutput.h"

#include "media/masters/RenderWriter.h"

RenderOutput::RenderOutput(SoundSystem& sound_, RenderReport report_)
    : sound(sound_), capture(sound_), report(std::move(report_)) {}

std::unique_ptr<RenderWriter> RenderOutput::open(const RenderFileSettings& format) {
    return std::make_unique<RenderWriter>(format, *this);
}
