// Clip times along the director's curves, loop windows, the fade and the cross-fade call.
#include "pieces/two/ClipMixer.h"

#include "media/clips/ClipLibrary.h"
#include "pieces/two/CutDirector.h"
#include "pieces/two/RollTrack.h"
#include "platform/ShowRandom.h"

#include <algorithm>

namespace {
// Clip curve time covered by a play position of 1.0.
constexpr double positionScaleMs = 10000.0;
// The clip length each curve's peak maps to, ms: the first clip, the second clip.
constexpr int32_t clipLengthsMs[2] = {16500, 11000};
// Between these show-clock times the fade runs even inside a loop window.
constexpr int32_t alwaysFadeFromMs = 60001;
constexpr int32_t alwaysFadeToMs = 79999;
} // namespace

void ClipMixer::setClipNames(const std::string& clipOne, const std::string& clipTwo) {
    names = {clipOne, clipTwo};
}

const std::string& ClipMixer::clipName(int32_t clipIndex) const {
    return names[clipIndex == 0 ? 0 : 1];
}

int32_t ClipMixer::clipTime(CutDirector& director, int32_t clipIndex, float& position, float dt) {
    const int32_t index = clipIndex == 0 ? 0 : 1;
    position = float(double(position) + double(dt) * 0.0001);
    const double curveMs = double(position) * positionScaleMs;
    FloatTrack& curve = index == 0 ? director.clipOneCurve : director.clipTwoCurve;
    curve.start(0);
    const int32_t length = clipLengthsMs[index];
    if (!director.looping) {
        loopFrames = 0;
        return int32_t(curve.valueAt(int32_t(curveMs)) * float(length));
    }
    const int32_t looped =
        int32_t(curve.valueAt(int32_t(curveMs * double(director.loopRate))) * float(length));
    if (loopFrames < 2) loopBase[size_t(index)] = int32_t(curve.valueAt(int32_t(curveMs)) * float(length));
    ++loopFrames;
    // A window without length has nothing to repeat: the clip runs on at the loop's rate.
    const int32_t inLoop = director.loopLength > 0 ? looped % director.loopLength : looped;
    return (inLoop + loopBase[size_t(index)]) % length;
}

int32_t ClipMixer::rollOffsetAt(int32_t nowMs) {
    const int32_t roll = rollTrack().valueAt(nowMs);
    return roll > 0 ? ShowRandom::next() % roll : 0;
}

void ClipMixer::mixClips(int32_t nowMs, CutDirector& director, float dt, bool pixels) {
    const int32_t currentTime = clipTime(director, director.currentClip, director.currentPosition, dt);
    const int32_t previousTime = clipTime(director, director.previousClip, director.previousPosition, dt);
    if (!director.looping || (nowMs >= alwaysFadeFromMs && nowMs <= alwaysFadeToMs))
        director.mix = std::clamp(director.mix - dt * director.nextFadeRate(), 0.0f, 1.0f);
    // The roll belongs to the blend: a frame that shows only the current clip draws no offset.
    const int32_t roll = director.mix != 1.0f ? rollOffsetAt(nowMs) : 0;
    if (!pixels) return;
    clips.mix(clipName(director.currentClip), currentTime, clipName(director.previousClip),
                                previousTime, director.mix, roll);
}
