// Headless display device.
#include "platform/dummy/DummyDevice.h"

bool DummyDevice::open(int32_t, int32_t) {
    opened = true;
    return true;
}

void DummyDevice::close() { opened = false; }

bool DummyDevice::present() {
    ++presentCount;
    return true;
}
