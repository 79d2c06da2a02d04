// Projection tables built at start-up: cosine and sine over one full turn, the screen
// description with its width shift pair, and a depth buffer of the screen's size.
#pragma once

#include <cstdint>

class OTable {
public:
    OTable(int32_t tableSize, int16_t xRes, int16_t yRes, int8_t bitsPerPixel, float fieldOfView);
    void setResolution(int16_t xRes, int16_t yRes, int8_t bitsPerPixel);
    void setUnitParameters(float first, float second);

    // The process-wide state (read by tests; nothing in the show reads it).
    struct State {
        float* cosTable = nullptr;
        float* sinTable = nullptr;
        int32_t tableSize = 0;
        int16_t xRes = 320, yRes = 240;
        int8_t bitsPerPixel = 32;
        uint8_t bytesPerPixel = 4;
        int16_t centreX = 160, centreY = 120;
        uint8_t widthShifts[2] = {8, 6};
        float unitParameterA = 0.0f, unitParameterB = 0.0f;
        float fieldOfView = 45.0f;
        int32_t* depthBuffer = nullptr;
        float depthClearValue = 1.0f;
    };
    static State& state();
};
