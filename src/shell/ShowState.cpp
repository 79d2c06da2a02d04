// Initial values of the shell's process-wide state.
#include "shell/ShowState.h"

namespace Show {
bool videoMode = false;
int32_t framesPerSecond = 25;
bool noMenu = false;
bool pieceChosen[3] = {true, true, true};
bool creditsEnabled = true;
bool windowed = false;
std::string codecName = "lossless";
std::optional<uint32_t> seed;
bool deliver = false;
DisplayDevice* currentDevice = nullptr;
FrameBuffer* currentFrameBuffer = nullptr;
DisplayDevice* secondDevice = nullptr;
FrameBuffer* secondFrameBuffer = nullptr;
} // namespace Show
