// Layout constants of the data archive: a marker, one separator byte, a text directory of
// "name@size@" entries closed by one more "@", then the files' bytes back to back.
#pragma once

#include <cstddef>

namespace ArchiveFormat {
inline constexpr char marker[] = "@@VorlandBinderStampMarkQuelbrisOttamerSeal01";
inline constexpr size_t markerLength = sizeof(marker) - 1; // 45 bytes, no terminator in the file
inline constexpr int maxEntries = 1024;
inline constexpr int maxNameLength = 511;
} // namespace ArchiveFormat
