// Decoding a clip completely at load (optionally ahead of time on a worker thread) and drawing
// its frames into frame buffers, straight or turned by 180 degrees.
#include "media/clips/VideoClip.h"

#include "media/VideoFailure.h"
#include "media/clips/ClipReader.h"
#include "platform/FrameBuffer.h"

#include <algorithm>
#include <cerrno>
#include <future>
#include <map>
#include <mutex>
#include <new>

bool mirrorClips = false;

struct VideoClip::Decoded {
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameCount = 0;
    std::unique_ptr<uint8_t[]> store;          // frameCount frames of width x height x 3 bytes
    ClipMemoryBudget::Reservation reservation; // the store's bytes, counted against the budget
};

namespace {

// Opens name and decodes the frames at 0, step, 2 x step ... below lengthMs, where the time
// advances in 32-bit floats and is compared at full precision before it is rounded.
VideoClip::Decoded decodeFrames(const std::string& name, int32_t lengthMs, int32_t framesPerSecond) {
    VideoClip::Decoded decoded;
    ClipReader reader(name);
    decoded.width = reader.getWidth();
    decoded.height = reader.getHeight();
    decoded.frameCount = VideoClip::countFrames(lengthMs, framesPerSecond);
    // A damaged clip may declare a huge frame: refuse it before the store exists.
    decoded.reservation = ClipMemoryBudget::reserve(name, decoded.width, decoded.height, decoded.frameCount);
    const size_t frameBytes = size_t(decoded.width) * size_t(decoded.height) * 3;
    // left uninitialised: every byte is written by the decoder
    decoded.store.reset(new uint8_t[frameBytes * size_t(decoded.frameCount)]);
    const float step = 1000.0f / float(framesPerSecond);
    float t = 0.0f;
    for (int32_t i = 0; i < decoded.frameCount; ++i) {
        reader.readFrame(decoded.store.get() + frameBytes * size_t(i), int32_t(t), false);
        t = float(double(t) + double(step));
    }
    return decoded;
}

std::string prefetchKey(const std::string& name, int32_t lengthMs, int32_t framesPerSecond) {
    return name + '\n' + std::to_string(lengthMs) + '\n' + std::to_string(framesPerSecond);
}

// Decodes started ahead of time, by name, length and frame rate. Kept for the whole process:
// a decode nobody takes simply ends with it.
struct PrefetchRegistry {
    std::mutex lock;
    std::map<std::string, std::future<VideoClip::Decoded>> pending;
};

PrefetchRegistry& registry() {
    static PrefetchRegistry* theRegistry = new PrefetchRegistry;
    return *theRegistry;
}

// Takes a decode's frames; a failure on the worker is thrown again here, on the calling thread.
VideoClip::Decoded takeDecoded(std::future<VideoClip::Decoded>& decode, const std::string& name) {
    try {
        return decode.get();
    } catch (const std::bad_alloc&) {
        throw VideoFailure("Couldn't decompress video-stream", ENOMEM, name);
    }
}

} // namespace

int32_t VideoClip::countFrames(int32_t lengthMs, int32_t framesPerSecond) {
    if (!(0.0 < lengthMs)) return 0;
    // Without a positive rate every time shows frame 0.
    if (framesPerSecond <= 0) return 1;
    const float step = 1000.0f / float(framesPerSecond);
    float t = 0.0f;
    int32_t count = 0;
    for (;;) {
        ++count;
        double s = double(t) + double(step);
        t = float(s);
        if (!(s < lengthMs)) break;
    }
    return count;
}

void VideoClip::prefetch(const std::string& name, int32_t lengthMs, int32_t framesPerSecond) {
    PrefetchRegistry& prefetches = registry();
    std::lock_guard<std::mutex> guard(prefetches.lock);
    std::string key = prefetchKey(name, lengthMs, framesPerSecond);
    if (prefetches.pending.count(key)) return;
    prefetches.pending[key] = std::async(std::launch::async, decodeFrames, name, lengthMs, framesPerSecond);
}

void VideoClip::awaitPrefetches() {
    PrefetchRegistry& prefetches = registry();
    std::lock_guard<std::mutex> guard(prefetches.lock);
    for (auto& [key, decode] : prefetches.pending) {
        // The frames go back as a finished decode for the VideoClip that takes them later.
        std::promise<Decoded> finished;
        finished.set_value(takeDecoded(decode, key.substr(0, key.find('\n'))));
        decode = finished.get_future();
    }
}

VideoClip::VideoClip(const std::string& name, int32_t lengthMs_, int32_t framesPerSecond_, bool preload)
    : lengthMs(lengthMs_), framesPerSecond(framesPerSecond_) {
    std::future<Decoded> prefetched;
    if (preload) {
        PrefetchRegistry& prefetches = registry();
        std::lock_guard<std::mutex> guard(prefetches.lock);
        auto found = prefetches.pending.find(prefetchKey(name, lengthMs, framesPerSecond));
        if (found != prefetches.pending.end()) {
            prefetched = std::move(found->second);
            prefetches.pending.erase(found);
        }
    }
    if (prefetched.valid()) {
        adopt(takeDecoded(prefetched, name));
    } else if (preload) {
        adopt(decodeFrames(name, lengthMs, framesPerSecond));
    } else {
        // Only the size is wanted: nothing is drawn from a clip that was not preloaded.
        ClipReader reader(name);
        width = reader.getWidth();
        height = reader.getHeight();
    }
    preloaded = preload;
    surface = std::make_unique<FrameBuffer>(width, height, false);
}

VideoClip::~VideoClip() = default;

void VideoClip::adopt(Decoded&& decoded) {
    width = decoded.width;
    height = decoded.height;
    frameStore = std::move(decoded.store);
    storeReservation = std::move(decoded.reservation);
    const size_t frameBytes = size_t(width) * size_t(height) * 3;
    frames.clear();
    for (int32_t i = 0; i < decoded.frameCount; ++i)
        frames.push_back(frameStore.get() + frameBytes * size_t(i));
}

int32_t VideoClip::frameIndexAt(int32_t timeMs) const {
    if (frames.empty()) return -1;
    int64_t index = int64_t(framesPerSecond) * timeMs / 1000;
    return int32_t(std::clamp<int64_t>(index, 0, int64_t(frames.size()) - 1));
}

const uint8_t* VideoClip::selectFrame(int32_t timeMs) {
    if (!preloaded || frames.empty()) return nullptr;
    currentFrame = frames[size_t(frameIndexAt(timeMs))];
    return currentFrame;
}

void VideoClip::draw(FrameBuffer* frameBuffer, int32_t timeMs) {
    if (!frameBuffer) return;
    const uint8_t* frame = selectFrame(timeMs);
    if (!frame) return;

    // Only 4-byte pixel stores can take the frame.
    int32_t bitsPerPixel = frameBuffer->getBitsPerPixel();
    if ((bitsPerPixel / 8 > 0 ? bitsPerPixel / 8 : 4) != 4) return;
    uint8_t* pixels = frameBuffer->getPixels();
    if (!pixels) return;
    const int32_t targetWidth = frameBuffer->getWidth();
    const int32_t targetHeight = frameBuffer->getHeight();
    const int64_t lineStride = int64_t(targetWidth) + frameBuffer->isDoubled();
    const int32_t left = frameBuffer->getLeft();
    const int32_t top = frameBuffer->getTop();

    // The part of the clip that lands inside the frame buffer.
    const int32_t firstX = std::max(0, -left);
    const int32_t endX = int32_t(std::min<int64_t>(width, int64_t(targetWidth) - left));
    const int32_t firstY = std::max(0, -top);
    const int32_t endY = int32_t(std::min<int64_t>(height, int64_t(targetHeight) - top));
    if (firstX >= endX || firstY >= endY) return;
    const int64_t lastPixel = int64_t(width) * height - 1;

    for (int32_t y = firstY; y < endY; ++y) {
        uint8_t* out = pixels + ((int64_t(top) + y) * lineStride + left + firstX) * 4;
        if (mirrorClips) {
            // Read backwards from the frame's last byte: upside down, mirrored, first and
            // third colour bytes exchanged.
            const uint8_t* in = frame + (lastPixel - (int64_t(y) * width + firstX)) * 3;
            for (int32_t x = firstX; x < endX; ++x, out += 4, in -= 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        } else {
            const uint8_t* in = frame + (int64_t(y) * width + firstX) * 3;
            for (int32_t x = firstX; x < endX; ++x, out += 4, in += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        }
    }
}
