// Process-wide state of the show shell: the command line's choices, the menu's flags and the
// current and second display device / frame buffer pairs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class DisplayDevice;
class FrameBuffer;

namespace Show {

extern bool videoMode;
extern int32_t framesPerSecond;
extern bool noMenu;
extern bool pieceChosen[3];
extern bool creditsEnabled;

// Additions of this platform: windowed output and the render codec.
extern bool windowed;
extern std::string codecName;
// "seed=N": the random generator takes N where it would take the clock.
extern std::optional<uint32_t> seed;
// "deliver": after the render, the rendered parts go into one MP4 film.
extern bool deliver;

extern DisplayDevice* currentDevice;
extern FrameBuffer* currentFrameBuffer;
extern DisplayDevice* secondDevice;
extern FrameBuffer* secondFrameBuffer;


} // namespace Show
