// One of piece three's dissolving photographs: the photograph with its fade map, its place on
// the screen, and the reveal and gain envelopes that burn it in through the fade map and fade
// it out again.
#pragma once

#include "animation/FloatTrack.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FileServer;

// Envelope tables: keys (value, ms of the pair's own time) ending with the value -1.0; the time
// is truncated to whole milliseconds.
struct EnvelopeKey {
    float value;
    float timeMs;
};

// The pixels of a pair: the photograph as frame-buffer words (0x00RRGGBB) and, for each of its
// pixels, the fade value (the red byte of the fade map at the same place).
struct PairPictures {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> image;
    std::vector<uint8_t> fade;
};

// From decoded pictures (3 bytes red, green, blue per pixel, rows from the top). A fade map
// larger than the photograph lends its top-left part; a smaller one is refused with a
// ShowFailure that names both entries and both sizes.
std::shared_ptr<const PairPictures> convertPairPictures(const std::string& photographName,
                                                        const uint8_t* photograph, int32_t width,
                                                        int32_t height, const std::string& fadeMapName,
                                                        const uint8_t* fadeMap, int32_t fadeWidth,
                                                        int32_t fadeHeight);
// Decodes both JPEGs from files; a file that is missing or not a JPEG gets the image reader's
// couldn't-read error naming it.
std::shared_ptr<const PairPictures> loadPairPictures(FileServer& files, const std::string& photographName,
                                                     const std::string& fadeMapName);

// The start times shared by all pairs (show-clock ms, ending with -1): the next pair to start
// starts on the first frame after the next time.
struct PairStarts {
    const int32_t* times;
    int32_t index = 0;
};

class ImagePair {
  public:
    // Centred at (centreX, centreY) on a screen of screenWidth x screenHeight; the part of the
    // photograph on the screen is worked out here, once.
    ImagePair(std::shared_ptr<const PairPictures> pictures, int32_t centreX, int32_t centreY,
              const EnvelopeKey* reveal, const EnvelopeKey* gain, int32_t screenWidth = 640,
              int32_t screenHeight = 480);

    // One frame at nowMs into a screen of the size given at construction (rows screenStride
    // pixels apart): starts the pair when its turn has come, then dissolves the photograph in
    // (without pixels, only starts it).
    void draw(uint32_t* screen, int32_t screenStride, int32_t nowMs, PairStarts& starts, bool pixels = true);

    // The blend weight of each fade value for a reveal level (0..255) and a gain:
    // (level - fade) x gain truncated and held to 0..255.
    static void weightsFor(float level, float gain, uint8_t weights[256]);

    bool isStarted() const { return started; }
    int32_t getLeft() const { return left; }
    int32_t getTop() const { return top; }

  private:
    std::shared_ptr<const PairPictures> pictures;
    int32_t left, top;
    // The visible part in the photograph's own pixels: columns [x0, x1), rows [y0, y1).
    int32_t x0, x1, y0, y1;
    FloatTrack revealTrack;
    FloatTrack gainTrack;
    bool started = false;
};
