// Sharp enlargement of 8-bit picture planes by exact area averaging: every target pixel is the
// mean of the source area it covers, so no pixel comes out wider than another and no blur
// reaches further than one target pixel.
#pragma once

#include <cstdint>
#include <vector>

class AreaScaler {
  public:
    // Enlarges planes of sourceWidth x sourceHeight to targetWidth x targetHeight (each target
    // size at least the source size).
    AreaScaler(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth, int32_t targetHeight);

    // source: sourceHeight rows of sourceWidth bytes, sourceStride apart; target: targetHeight
    // rows of targetWidth bytes, targetStride apart.
    void scale(const uint8_t* source, int32_t sourceStride, uint8_t* target, int32_t targetStride);

    // The two source pixels a target pixel covers along one axis and the weight of the first,
    // in 256ths (256 when it covers only the first).
    struct Tap {
        int32_t first;
        int32_t weight;
    };
    static std::vector<Tap> taps(int32_t sourceSize, int32_t targetSize);

  private:
    int32_t sourceWidth, sourceHeight, targetWidth, targetHeight;
    std::vector<Tap> columns, rows;
    // Source rows enlarged across, in 256ths of a level.
    std::vector<uint16_t> wideRows;
};
