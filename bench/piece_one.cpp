// Drawing cost of piece one's frames at busy moments, headless and without presenting: the
// opening mid-slide, the main part at 100 s (all 15 blocks, the jitter swell, bars and streaks
// alive) and a closing glitch burst at its widest. Uses a 320x240 clip made in memory.
// Prints `BENCH piece_one_<part>_median_ms` and `BENCH piece_one_<part>_p99_ms`.
#include "BenchSupport.h"
#include "animation/SceneManager.h"
#include "pieces/one/PieceClip.h"
#include "pieces/one/PieceOneScene.h"
#include "platform/FrameBuffer.h"
#include "platform/Settings.h"
#include "platform/ShowRandom.h"
#include "platform/Timer.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// 93 frames of 320x240 at 29 frames per second, a different gradient in each.
class BenchClip : public PieceClip {
public:
    BenchClip() : frames(93, std::vector<uint8_t>(320 * 240 * 3)) {
        for (size_t n = 0; n < frames.size(); ++n)
            for (size_t i = 0; i < frames[n].size(); ++i) frames[n][i] = uint8_t(i * 7 + n * 13);
    }
    void select(int32_t timeMs) override {
        current = frames[size_t(std::clamp(int32_t(int64_t(timeMs) * 29 / 1000), 0, 92))].data();
    }
    void draw(FrameBuffer* fb, int32_t timeMs) override {
        select(timeMs);
        uint32_t* pixels = fb->getPixels32();
        for (int32_t y = 0; y < 240; ++y) {
            int32_t ty = fb->getTop() + y;
            if (ty < 0 || ty >= fb->getHeight()) continue;
            for (int32_t x = 0; x < 320; ++x) {
                int32_t tx = fb->getLeft() + x;
                if (tx < 0 || tx >= fb->getWidth()) continue;
                const uint8_t* p = current + (size_t(y) * 320 + size_t(x)) * 3;
                pixels[ty * fb->getWidth() + tx] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            }
        }
    }
    const uint8_t* currentFrame() const override { return current; }
    int32_t framePixels() const override { return 320 * 240; }

private:
    std::vector<std::vector<uint8_t>> frames;
    const uint8_t* current = nullptr;
};

// Plays the part's frames at 25 frames per second up to atMs, then measures frames there.
using DrawFrame = std::function<void(PieceOneScene&, Timer&)>;

void measure(const char* part, int32_t atMs, const DrawFrame& drawFrame,
             const std::function<void(PieceOneScene&)>& prepare = nullptr) {
    FrameBuffer frameBuffer(640, 480, false);
    SceneManager manager;
    BenchClip clip;
    ShowRandom::seed(1);
    Timer clock;
    clock.setTimeMs(0);
    PieceOneScene scene(&frameBuffer, manager, drawFlickerEnvelopes());
    scene.buildClipTime();
    scene.setClip(&clip);
    for (int32_t t = 0; t < atMs; t += 40) {
        clock.setTimeMs(t);
        drawFrame(scene, clock);
    }
    clock.setTimeMs(atMs);
    if (prepare) prepare(scene);
    int32_t bars = 0, streaks = 0;
    for (const BarSlot& slot : scene.getBars().getSlots()) bars += slot.life > 0.0f;
    for (const auto& streak : scene.getStreaks().getStreaks()) streaks += streak != nullptr;
    std::fprintf(stderr, "%s at %d ms: %d blocks, jitter %d, %d bars, %d streaks\n", part, atMs,
                 scene.getBlocks().getBlockCount(), scene.getSequences().flickerLevel.value(atMs), bars, streaks);
    reportFrameTimes("piece_one", part, [&] { drawFrame(scene, clock); });
}

} // namespace

int main() {
    Settings& settings = Settings::instance();
    settings.set(Settings::BitsPerPixel, 32);
    settings.set(Settings::Platform, 1);
    settings.set(Settings::Interface, 1);

    measure("opening", 3950,
            [](PieceOneScene& scene, Timer& clock) { scene.drawOpeningFrame(clock.getElapsedMs(), clock.getTime()); });
    measure("main", 100000, [](PieceOneScene& scene, Timer& clock) { scene.drawMainFrame(clock.getElapsedMs()); },
            [](PieceOneScene& scene) { scene.getBlocks().setBlockCount(15); });
    measure("closing", 12500,
            [](PieceOneScene& scene, Timer& clock) { scene.drawClosingFrame(clock.getElapsedMs()); });
    return 0;
}
