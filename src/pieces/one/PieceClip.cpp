// The show's clip for piece one: forwards to the decoded VideoClip.
#include "pieces/one/PieceClip.h"

#include "media/clips/VideoClip.h"

DecodedPieceClip::DecodedPieceClip(std::unique_ptr<VideoClip> clip_) : clip(std::move(clip_)) {}
DecodedPieceClip::~DecodedPieceClip() = default;

void DecodedPieceClip::draw(FrameBuffer* frameBuffer, int32_t timeMs) {
    if (clip && clip->getFrameCount() > 0) clip->draw(frameBuffer, timeMs);
}

void DecodedPieceClip::select(int32_t timeMs) {
    if (clip && clip->getFrameCount() > 0) clip->selectFrame(timeMs);
}

const uint8_t* DecodedPieceClip::currentFrame() const { return clip ? clip->getCurrentFrame() : nullptr; }

int32_t DecodedPieceClip::framePixels() const { return clip ? clip->getWidth() * clip->getHeight() : 0; }
