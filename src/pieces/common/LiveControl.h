// What the shell does between the frames of a live run: the viewer's keys (pause, seek), the
// readout over the picture. A piece calls it after each frame it shows; true ends the run there
// (a seek: the shell starts the show again at the time sought).
#pragma once

#include <cstdint>

class DisplayDevice;

class LiveControl {
public:
    virtual ~LiveControl() = default;
    // part: the show part (ShowPartIndex) the frame belongs to; partMs: the part's clock at it.
    virtual bool afterFrame(DisplayDevice& device, int part, int32_t partMs) = 0;
};
