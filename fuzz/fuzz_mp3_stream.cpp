// libFuzzer target: arbitrary bytes as an MPEG audio stream (what a damaged music entry gives).
#include "SoundFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    playFuzzedSound(data, size, false);
    return 0;
}
