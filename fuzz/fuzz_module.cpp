// libFuzzer target: arbitrary bytes as a tracker module (what a damaged module entry gives).
#include "SoundFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    playFuzzedSound(data, size, true);
    return 0;
}
