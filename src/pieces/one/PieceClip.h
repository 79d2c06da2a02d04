// The clip piece one shows: draws one decoded frame by clip time and tells which frame it drew.
// The show's clip is a decoded `VideoClip`; tests and benchmarks use frames made in memory.
#pragma once

#include <cstdint>
#include <memory>

class FrameBuffer;
class VideoClip;

class PieceClip {
public:
    virtual ~PieceClip() = default;
    // Copies the frame for timeMs to the frame buffer at its left and top; pixels that fall
    // outside the frame buffer are skipped.
    virtual void draw(FrameBuffer* frameBuffer, int32_t timeMs) = 0;
    // Makes the frame for timeMs the current one without drawing it (a frame only computed).
    virtual void select(int32_t timeMs) = 0;
    // The frame drawn last, 3 bytes per pixel (blue, green, red), or null before any draw.
    virtual const uint8_t* currentFrame() const = 0;
    // Pixels in one frame.
    virtual int32_t framePixels() const = 0;
};

// The show's clip: a decoded VideoClip, owned.
class DecodedPieceClip : public PieceClip {
public:
    explicit DecodedPieceClip(std::unique_ptr<VideoClip> clip);
    ~DecodedPieceClip() override;
    void draw(FrameBuffer* frameBuffer, int32_t timeMs) override;
    void select(int32_t timeMs) override;
    const uint8_t* currentFrame() const override;
    int32_t framePixels() const override;

private:
    std::unique_ptr<VideoClip> clip;
};
