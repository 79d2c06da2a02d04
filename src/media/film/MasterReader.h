// A finished AVI master of the render mode read from start to end: its pictures as BT.709
// limited-range 4:4:4 planes and its 16-bit stereo sound, in the order the file holds them.
#pragma once

#include "media/film/PlanarPicture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MasterReader {
  public:
    // Opens the file; a failure throws ShowFailure naming it.
    explicit MasterReader(const std::string& fileName);
    ~MasterReader();
    MasterReader(const MasterReader&) = delete;
    MasterReader& operator=(const MasterReader&) = delete;

    // The number of frames the file's header announces.
    int64_t getFrameCount() const;
    int32_t getWidth() const;
    int32_t getHeight() const;

    // Reads on to the next picture, appending the sound met on the way (interleaved stereo
    // sample pairs) to sound. The picture stays valid until the next call. False at the end.
    bool readPicture(PlanarPicture& picture, std::vector<int16_t>& sound);

  private:
    struct State;
    std::unique_ptr<State> state;
};
