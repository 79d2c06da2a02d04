// Headless display device.
#include "platform/dummy/DummyDevice.h"

bool DummyDevice::open() {
    opened = true;
    return true;
}

void DummyDevice::close() { opened = false; }

bool DummyDevice::present() {
    ++presentCount;
    return true;
}
