// Settings registry: two ordered maps. Unknown keys read as 0.
#include "platform/Settings.h"

Settings& Settings::instance() {
    static Settings* registry = new Settings(); // never destroyed
    return *registry;
}

void Settings::set(int32_t key, int32_t value) { integers[key] = value; }

int32_t Settings::get(int32_t key) {
    auto found = integers.find(key);
    return found == integers.end() ? 0 : found->second;
}

void Settings::set(int32_t key, float value) { floats[key] = value; }

float Settings::getFloat(int32_t key) {
    auto found = floats.find(key);
    return found == floats.end() ? 0.0f : found->second;
}
