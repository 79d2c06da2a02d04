// The viewer's hold on a live show: Space pauses and resumes (the picture holds, the music
// pauses, the show clock stops), Left and Right seek 10 s back and forth along the chosen parts
// of the range, and a readout of the part and the show time is drawn over the picture while
// paused and for 2 s after a seek. A seek ends the piece's run; the shell then starts the show
// again at the time sought. With TRIPTYCH_LOG_PIECES set, each pause, resume and landing of a
// seek is a line on stderr.
#pragma once

#include "pieces/common/LiveControl.h"
#include "shell/ShowRange.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class SoundSystem;
class Timer;

class LiveTransport : public LiveControl {
public:
    struct Range {
        std::array<bool, 3> chosen{true, true, true};
        int64_t fromUs = 0;
        int64_t toUs = 0;
        bool loop = false;
    };
    LiveTransport(Timer& clock, SoundSystem& sound, const Range& range);

    bool afterFrame(DisplayDevice& device, int part, int32_t partMs) override;

    // The show time a seek asked for, once; the shell starts the show there.
    std::optional<int64_t> takeSeek();
    // The next run starts at a seek's target: its first frame is announced, and it stays
    // paused when the seek came while paused.
    void landAfterSeek() { landing = true; }

private:
    void pause(DisplayDevice& device, int part, int64_t showUs);
    bool takeSeekKeys(const std::vector<int>& steps, int64_t showUs);
    void showReadout(DisplayDevice& device, int part, int64_t showUs);

    Timer& clock;
    SoundSystem& sound;
    Range range;
    ShowTimeline timeline = ShowTimeline::live();
    std::optional<int64_t> seekTarget;
    bool landing = false;
    bool pausedAtSeek = false;
    uint32_t readoutUntilMs = 0;
    std::vector<uint32_t> heldPixels;
};
