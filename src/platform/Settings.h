// The settings registry: numbered integer and float values through which the shell tells the
// platform layer what display to build (1 width, 2 height, 3 bits per pixel, 4 platform, 5 interface).
#pragma once

#include <cstdint>
#include <map>

class Settings {
public:
    static Settings& instance();

    virtual ~Settings() = default;
    virtual void set(int32_t key, int32_t value);
    virtual int32_t get(int32_t key);
    virtual void set(int32_t key, float value);
    virtual float getFloat(int32_t key);

    enum Key : int32_t { Width = 1, Height = 2, BitsPerPixel = 3, Platform = 4, Interface = 5 };

private:
    std::map<int32_t, int32_t> integers;
    std::map<int32_t, float> floats;
};
