// A video clip decoded completely into memory at load, so that drawing a frame is a plain copy.
#pragma once

#include "media/clips/ClipMemoryBudget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FrameBuffer;

// While set, clip frames are drawn turned by 180 degrees (piece two sets it for one window).
extern bool mirrorClips;

class VideoClip {
  public:
    // Opens the reader on name; with preload decodes frames at 0, 1000/fps, 2000/fps ... ms
    // below lengthMs. Failures throw a VideoFailure naming the clip.
    VideoClip(const std::string& name, int32_t lengthMs, int32_t framesPerSecond, bool preload);
    virtual ~VideoClip();
    VideoClip(const VideoClip&) = delete;
    VideoClip& operator=(const VideoClip&) = delete;

    // Starts decoding a clip on a worker thread; a later VideoClip with the same name, length
    // and frame rate takes the decoded frames instead of decoding again. Several prefetches
    // decode at the same time, so loading is bounded by the longest clip.
    static void prefetch(const std::string& name, int32_t lengthMs, int32_t framesPerSecond);
    // Waits for the prefetched decodes no VideoClip has taken yet. A failure among them ends the
    // process as a failing VideoClip would; the frames of the others wait for their VideoClip.
    static void awaitPrefetches();

    // Copies the frame at timeMs (frame floor(fps x timeMs / 1000), held to the decoded range)
    // to frameBuffer at its left and top; pixels outside the frame buffer are skipped.
    // Does nothing unless the clip was preloaded.
    void draw(FrameBuffer* frameBuffer, int32_t timeMs);
    // The frame draw would show at timeMs, which becomes the current frame; null (and nothing
    // changes) unless the clip was preloaded with at least one frame.
    const uint8_t* selectFrame(int32_t timeMs);
    // The frame drawn last (3 bytes per pixel, blue, green, red), or null before any draw.
    const uint8_t* getCurrentFrame() const { return currentFrame; }

    // The clip's own frame buffer, its size, not doubled.
    FrameBuffer* getSurface() { return surface.get(); }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getFramesPerSecond() const { return framesPerSecond; }
    int32_t getFrameCount() const { return int32_t(frames.size()); }
    const uint8_t* getFrame(int32_t index) const { return frames[size_t(index)]; }
    // Frame index drawn for timeMs.
    int32_t frameIndexAt(int32_t timeMs) const;
    // The number of frames a clip of lengthMs decodes at framesPerSecond.
    static int32_t countFrames(int32_t lengthMs, int32_t framesPerSecond);

    struct Decoded; // frames decoded by a reader, possibly on another thread

  private:
    void adopt(Decoded&& decoded);

    bool preloaded = false;
    int32_t lengthMs;
    int32_t framesPerSecond;
    int32_t width = 0;
    int32_t height = 0;
    std::unique_ptr<FrameBuffer> surface;
    std::unique_ptr<uint8_t[]> frameStore;          // every frame, one after another
    ClipMemoryBudget::Reservation storeReservation; // frameStore's bytes in the show's clip budget
    std::vector<const uint8_t*> frames;
    const uint8_t* currentFrame = nullptr;
};
