// What the render files are handed by whoever runs the render: the sound system whose channels
// they capture, the one sound capture they share, and the report that takes their progress,
// their finished files and their warnings (the shell shows the progress line and window and
// the warning boxes).
#pragma once

#include "media/masters/AudioCapture.h"
#include "media/masters/RenderFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class RenderWriter;
class SoundSystem;

struct RenderReport {
    // After each written frame of fileName: the progress 0..100 (negative: unchanged) and the
    // frames written so far.
    std::function<void(const std::string& fileName, int32_t percent, int32_t framesWritten)> frameWritten;
    // Once per file, when it was finished: its frames at its frame rate.
    std::function<void(const std::string& fileName, int64_t frames, int32_t framesPerSecond)> fileFinished;
    // Something the viewer is told (a file that cannot take its sound).
    std::function<void(const std::string& text)> warn;
};

class RenderOutput {
public:
    RenderOutput(SoundSystem& sound, RenderReport report);

    // Creates the render file; a failure throws the writer's VideoFailure naming the file.
    std::unique_ptr<RenderWriter> open(const RenderFileSettings& format);

    SoundSystem& getSound() { return sound; }
    AudioCapture& getCapture() { return capture; }
    const RenderReport& getReport() const { return report; }

private:
    SoundSystem& sound;
    AudioCapture capture;
    RenderReport report;
};
