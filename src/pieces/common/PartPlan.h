// What one run of a piece does with each of its parts: in video mode which of the part's frames
// go to its file, live where the run starts and stops. Frames before the first one shown are
// computed, not drawn: the piece reaches the state that a run drawing them would have.
#pragma once

#include <array>
#include <cstdint>
#include <limits>

struct PartPlan {
    bool play = true;  // false: the run ends before this part starts
    bool write = true; // video: the part's file is written (false: its frames are only computed)
    // Video: frames before firstFrame are computed (their sound is passed over in the file's
    // capture); the part ends before endFrame, and the run with it.
    int64_t firstFrame = 0;
    int64_t endFrame = std::numeric_limits<int64_t>::max();
    // Live: frames before startMs of the part's clock are computed at the piece's live frame
    // period, and the part is shown from there; it ends, and the run with it, on its first frame
    // at or after endMs.
    int32_t startMs = 0;
    int32_t endMs = std::numeric_limits<int32_t>::max();

    // Whether frame index (video) is shown and written.
    bool showsFrame(int64_t index) const { return write && index >= firstFrame; }
};

// The parts of a piece, in order (pieces two and three have one).
using PiecePlan = std::array<PartPlan, 3>;
