// A source object for a video writer (source mode 1): the writer asks it for each frame and
// tells it when the frame has been taken.
#pragma once

#include <cstdint>

class VideoFrameSource {
public:
    virtual ~VideoFrameSource() = default;
    // The next frame: width x height x 3 bytes, blue, green, red, rows top to bottom.
    virtual const uint8_t* getFrame() = 0;
    // The frame returned by getFrame has been written; the source may reuse its memory.
    virtual void frameTaken() = 0;
};
