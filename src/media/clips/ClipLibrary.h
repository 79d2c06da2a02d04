// The clip store: clips by file name, one target frame buffer, drawing of one clip
// and the cross-fade of two clips (with an optional vertical roll) into the target.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FrameBuffer;
class VideoClip;

class ClipLibrary {
  public:
    ClipLibrary();
    virtual ~ClipLibrary();
    ClipLibrary(const ClipLibrary&) = delete;
    ClipLibrary& operator=(const ClipLibrary&) = delete;

    // Decodes name (lengthMs at 23 frames per second) and keeps it under name.
    void addClip(const std::string& name, int32_t lengthMs);
    // Adds several clips at 23 frames per second, decoding them at the same time.
    void addClips(const std::vector<std::pair<std::string, int32_t>>& clips);
    void setTarget(FrameBuffer* frameBuffer) { target = frameBuffer; }
    FrameBuffer* getTarget() { return target; }
    // Draws the named clip's frame at timeMs into frameBuffer; an unknown name draws nothing.
    void drawClip(FrameBuffer* frameBuffer, const std::string& name, int32_t timeMs);
    // The named clip's own frame buffer, or null.
    FrameBuffer* getClipSurface(const std::string& name);
    VideoClip* getClip(const std::string& name);
    // Cross-fades into the target: mix is the weight of the previous clip (1.0 draws only the
    // current one). The blended rows start rollOffset lines down both clips and wrap round; an
    // offset below 0 or not below the clip's height leaves them in place. The frames are blended
    // as they are decoded, turned while mirrorClips is set; the clips' own surfaces are untouched.
    void mix(const std::string& currentName, int32_t currentTimeMs, const std::string& previousName,
             int32_t previousTimeMs, float mix, int32_t rollOffset = 0);
    // Deletes every clip.
    void clear();

    // The blend of one output row: out = table[p][previous] + table[q][current] for the three
    // colour bytes of each 4-byte pixel; byte 3 is left alone.
    static void blendRow(uint8_t* out, const uint8_t* current, const uint8_t* previous, int32_t pixels,
                         int32_t p, int32_t q);

  private:
    std::map<std::string, std::unique_ptr<VideoClip>> clips;
    FrameBuffer* target = nullptr;
};

// Starts decoding the show's three extracted clips on worker threads (piece two's two clips at
// 23 frames per second, piece one's at 29), so the pieces' loads find them decoded.
void prefetchShowClips();
// Waits for those decodes; a clip that cannot be read ends the show there, with the clip
// reader's message and exit code 1, also when no piece has asked for it yet.
void awaitShowClips();
