// Piece three's first layer: a frame of the flight clip, played back and forth at a third of
// real speed, drawn into a 640x240 layer whose chosen lines are copied to the screen grey,
// darkened by the noise floor and speckled with noise. All other lines stay as they are (black).
#pragma once

#include "pieces/three/RowTables.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ClipLibrary;
class FrameBuffer;

class ClipScanlines {
  public:
    static constexpr int32_t layerWidth = 640;
    static constexpr int32_t layerHeight = 240;

    // clipName: the clip's name in clips (a name the store does not know draws nothing into the
    // layer). The layer is a 32-bit frame buffer made from the current settings.
    ClipScanlines(ClipLibrary& clips, std::string clipName, std::vector<RowTable> tables, const ScanlineCue* cues);
    ~ClipScanlines();

    // One frame at show-clock time nowMs with the noise floor (0..96): moves the clip position
    // on, draws the clip frame into the layer, copies the current table's lines to screen, then
    // takes the next cue when due. Without pixels the frame is only computed: the position and
    // the cues move on and the noise's random numbers are taken, nothing is drawn.
    void draw(FrameBuffer* screen, int32_t nowMs, float floor, bool pixels = true);

    FrameBuffer* getLayer() { return layer.get(); }
    float getClipPosition() const { return clipPosition; }
    int32_t currentTable() const { return cueState.currentTable(); }
    const std::vector<RowTable>& getTables() const { return tables; }

    // The clip time for a running position: truncated, then folded into 0..16800 ms so the
    // clip plays forward and backward.
    static int32_t foldClipPosition(float clipPosition);
    // Copies the table's lines: grey = (b + g + r) >> 3, minus the larger of floor and a random
    // 0..84, held to 0..255, into the three colour bytes; byte 3 is kept. Pairs naming a line
    // outside either buffer are skipped; rows are min(640, both widths) pixels long.
    static void copyRows(const uint32_t* layerPixels, int32_t layerStride, int32_t layerRows,
                         uint32_t* screenPixels, int32_t screenStride, int32_t screenRows, int32_t rowLength,
                         const RowTable& table, float floor);

    // How many random numbers copyRows takes for the table: one per pixel of its usable pairs.
    static uint64_t noiseDraws(int32_t layerRows, int32_t screenRows, int32_t rowLength, const RowTable& table);

  private:
    ClipLibrary& clips;
    std::string clipName;
    std::vector<RowTable> tables;
    CueState cueState;
    std::unique_ptr<FrameBuffer> layer;
    float clipPosition = 16800.0f; // ms, before folding
    float lastFrameMs = 0.0f;      // the previous frame's clock reading
};
