// Piece two's filter stage, run on every visible frame after the clip mix: which group of
// filters the show-clock time calls for, the seeding of the show's random numbers, the threshold
// table of the loudness envelope and the smear over the clip lines.
#pragma once

#include "pieces/two/PixelFilters.h"

#include <array>
#include <cstdint>
#include <optional>

class FrameBuffer;
struct FilterTracks;

enum class FilterGroup {
    greySmear,  // greyscale, then the noisy smear of radius 2
    threshold,  // the envelope's threshold, then the noisy smear of radius 1
    band,       // greyscale cut down to the thin band
    finalSmear, // the plain smear of the width track, then the fade to black
};

// The group for a frame at nowMs of the show clock.
FilterGroup filterGroupAt(int32_t nowMs);

class PieceTwoFilters {
  public:
    explicit PieceTwoFilters(FilterTracks& tracks) : tracks(tracks) {}

    // What the first filter stage seeds the show's random numbers with: seed when given,
    // otherwise the tick counter at that moment.
    void setSeed(std::optional<uint32_t> seed) { seedValue = seed; }
    // The filter stage at show-clock time nowMs. A missing frame buffer draws nothing but still
    // seeds and starts the envelope; without pixels the stage only takes the random numbers and
    // noise steps its smear would.
    void applyFilters(int32_t nowMs, FrameBuffer* frameBuffer, const BandValues& band, bool pixels = true);
    // Values below the level's threshold become 0, the others stay: level 0 keeps 51 and
    // above, 0.5 keeps 102 and above, levels above 0.8 keep nothing.
    void buildThresholdTable(float level);
    const std::array<uint8_t, 256>& getThresholdTable() const { return thresholdTable; }
    // The table's first kept value (256 when it keeps nothing): it maps every byte below to 0.
    int32_t getThresholdCut() const { return thresholdCut; }
    // Smears the lines from the frame buffer's top down to as far from the bottom: noisy with
    // the jitter and noise tracks at nowMs, plain with neither.
    void smearLines(int32_t nowMs, FrameBuffer* frameBuffer, int32_t radius, bool noisy, bool pixels = true);

    bool isSeeded() const { return seeded; }
    bool isEnvelopeStarted() const { return envelopeStarted; }
    const SmearNoise& getNoise() const { return noise; }

  private:
    FilterTracks& tracks;
    std::optional<uint32_t> seedValue;
    bool seeded = false;
    bool envelopeStarted = false;
    std::array<uint8_t, 256> thresholdTable{};
    int32_t thresholdCut = 256;
    SmearNoise noise;
};
