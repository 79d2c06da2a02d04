// Process-wide state of the show shell: the flags that the menu, the window, the pieces and the
// render progress share, and the current and second display device / frame buffer pairs.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

class DisplayDevice;
class FrameBuffer;

namespace Show {

// Only ever goes from 0 to 1; set by Escape, the close button, signals, the menu's exit button
// and the render progress's Cancel. Lock-free so signal handlers may set it.
extern std::atomic<int32_t> quitRequested;
extern bool videoMode;
extern int32_t framesPerSecond;
extern bool noMenu;
extern bool pieceChosen[3];
extern bool creditsEnabled;
extern void* instanceHandle;

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

inline void requestQuit() { quitRequested.store(1); }
inline bool isQuitRequested() { return quitRequested.load() != 0; }

} // namespace Show
