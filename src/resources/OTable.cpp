// Projection tables and their log lines.
#include "resources/OTable.h"

#include "platform/DebugServer.h"

#include <cmath>
#include <cstdio>

OTable::State& OTable::state() {
    static State tables;
    return tables;
}

OTable::OTable(int32_t tableSize, int16_t xRes, int16_t yRes, int8_t bitsPerPixel, float fieldOfView) {
    State& s = state();
    debugLog("{OTable::OTable()}: Allocating resources...", 0);
    debugLog("{OTable}: Calculating look-up tables...", 5);
    const long double fullTurn = 2.0L * 3.141592653589793238462643383279502884L;
    int32_t count = tableSize > 0 ? tableSize : 1;
    int32_t divisor = tableSize - 1 > 0 ? tableSize - 1 : 1;
    delete[] s.cosTable;
    s.cosTable = new float[size_t(count)];
    debugLog("{OTable}: Precalculating cos values...", 2);
    for (int32_t i = 0; i < tableSize; ++i) s.cosTable[i] = float(std::cos(fullTurn * i / divisor));
    delete[] s.sinTable;
    s.sinTable = new float[size_t(count)];
    debugLog("{OTable}: Precalculating sin values...", 2);
    for (int32_t i = 0; i < tableSize; ++i) s.sinTable[i] = float(std::sin(fullTurn * i / divisor));
    debugLog("{OTable}: Calculating resolution- and FOV-constants...", 2);
    s.tableSize = tableSize;
    s.xRes = xRes;
    s.yRes = yRes;
    s.fieldOfView = fieldOfView;
    setUnitParameters(1.0f, 1.0f);
    setResolution(xRes, yRes, bitsPerPixel);
}

void OTable::setResolution(int16_t xRes, int16_t yRes, int8_t bitsPerPixel) {
    State& s = state();
    char line[256];
    std::snprintf(line, sizeof line, "{OTable::setResolution}: xRes:%d  yRes:%d  bpp:%d", xRes, yRes, bitsPerPixel);
    debugLog(line, 5);
    std::snprintf(line, sizeof line, "{OTable::setResolution}: FOV: %f", double(s.fieldOfView));
    debugLog(line, 5);
    s.xRes = xRes;
    s.yRes = yRes;
    s.bitsPerPixel = bitsPerPixel;
    s.bytesPerPixel = uint8_t((bitsPerPixel + 1) / 8);
    s.centreX = int16_t(xRes / 2);
    s.centreY = int16_t(yRes / 2);
    struct Pair { int16_t width; uint8_t a, b; };
    static const Pair pairs[] = {{320, 6, 8}, {512, 8, 8}, {640, 7, 9}, {1024, 9, 9}, {1152, 7, 10}, {1280, 8, 10}};
    for (const Pair& pair : pairs)
        if (pair.width == xRes) {
            s.widthShifts[0] = pair.a;
            s.widthShifts[1] = pair.b;
        }
    debugLog("{OTable}: Allocating Z-buffer..", 2);
    delete[] s.depthBuffer;
    int64_t cells = int64_t(xRes > 0 ? xRes : 0) * int64_t(yRes > 0 ? yRes : 0);
    s.depthBuffer = new int32_t[size_t(cells > 0 ? cells : 1)];
    s.depthClearValue = 1.0f;
}

void OTable::setUnitParameters(float first, float second) {
    auto clamp = [](float v) { return v <= 0.0f ? 0.00001f : (v >= 1.0f ? 0.99f : v); };
    state().unitParameterA = clamp(first);
    state().unitParameterB = clamp(second);
}
