// The photographs' table and their envelopes.
#include "pieces/three/PairSchedule.h"

#include <array>

namespace {
constexpr EnvelopeKey end = {-1.0f, 0.0f};

// Reveal levels: a quick step to a first level, then a slow rise.
constexpr EnvelopeKey reveal1[] = {{0.0f, 0}, {0.3f, 30}, {1.0f, 8000}, end};
constexpr EnvelopeKey reveal2[] = {{0.0f, 0}, {0.2f, 30}, {1.0f, 10000}, end};
constexpr EnvelopeKey reveal3[] = {{0.0f, 0}, {0.3f, 30}, {1.0f, 10000}, end};
constexpr EnvelopeKey reveal4[] = {{0.0f, 0}, {0.35f, 30}, {1.0f, 7500}, end};
constexpr EnvelopeKey reveal5[] = {{0.0f, 0}, {0.25f, 30}, {0.95f, 5000}, end};

// The common gain: a sharp edge at first, softening, then fading out by endMs.
constexpr std::array<EnvelopeKey, 6> gainEndingAt(float endMs) {
    return {{{0.0f, 0}, {2.5f, 220}, {2.0f, 4000}, {1.0f, 9000}, {0.0f, endMs}, end}};
}
constexpr auto gain15000 = gainEndingAt(15000);
constexpr auto gain16500 = gainEndingAt(16500);
constexpr auto gain18000 = gainEndingAt(18000);
constexpr auto gain19000 = gainEndingAt(19000);
constexpr auto gain24000 = gainEndingAt(24000);
constexpr EnvelopeKey gain6[] = {{0.0f, 0}, {3.5f, 220}, {2.0f, 4000}, {1.0f, 8000}, {0.0f, 10000}, end};
constexpr EnvelopeKey gain7[] = {{0.0f, 0},    {2.5f, 500},   {2.0f, 1000}, {1.0f, 2500},
                                 {0.2f, 9000}, {0.0f, 12000}, end};
constexpr EnvelopeKey gain8[] = {{0.0f, 0},    {2.5f, 500},   {2.0f, 1000}, {1.0f, 3000},
                                 {0.2f, 9000}, {0.0f, 11000}, end};
} // namespace

const PairPlan pairPlans[pairCount] = {
    {"data/1.jpg", "data/fade1.jpg", 150, 170, reveal1, gain15000.data()},
    {"data/16.jpg", "data/fade16.jpg", 230, 120, reveal1, gain15000.data()},
    {"data/3.jpg", "data/fade3.jpg", 100, 270, reveal1, gain15000.data()},
    {"data/15.jpg", "data/fade14.jpg", 280, 300, reveal2, gain18000.data()},
    {"data/19.jpg", "data/fade19.jpg", 370, 80, reveal1, gain15000.data()},
    {"data/1.jpg", "data/fade1.jpg", 300, 170, reveal3, gain6},
    {"data/5.jpg", "data/fade5.jpg", 610, 410, reveal4, gain7},
    {"data/7.jpg", "data/fade7.jpg", 100, 100, reveal5, gain8},
    {"data/1.jpg", "data/fade1.jpg", 150, 170, reveal1, gain15000.data()},
    {"data/16.jpg", "data/fade16.jpg", 230, 120, reveal1, gain15000.data()},
    {"data/3.jpg", "data/fade3.jpg", 100, 270, reveal1, gain15000.data()},
    {"data/6.jpg", "data/fade6.jpg", 220, 330, reveal1, gain15000.data()},
    {"data/9.jpg", "data/fade9.jpg", 370, 190, reveal1, gain24000.data()},
    {"data/4.jpg", "data/fade4.jpg", 550, 330, reveal1, gain19000.data()},
    {"data/20.jpg", "data/fade20.jpg", 380, 330, reveal3, gain16500.data()},
};

const int32_t pairStartTimes[pairCount + 1] = {429,   1927,  3424,  4928,  6431,  10924, 21426, 33430,
                                               43926, 45429, 46927, 48431, 52918, 55931, 58932, -1};
