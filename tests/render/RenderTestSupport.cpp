// The render tests' output.
#include "render/RenderTestSupport.h"

RenderOutput& testOutput() {
    static auto* sound = new SoundSystem();
    static auto* output = new RenderOutput(*sound, RenderReport{});
    return *output;
}
