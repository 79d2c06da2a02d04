// A plain RIFF walk over the chunks the render writer produces.
#include "render/AviLayout.h"

#include "TestFiles.h"

#include <algorithm>
#include <cstring>

namespace {
uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
    if (at + 4 > bytes.size()) return 0;
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

bool tagAt(const std::vector<uint8_t>& bytes, size_t at, const char* tag) {
    return at + 4 <= bytes.size() && std::memcmp(&bytes[at], tag, 4) == 0;
}

// Walks the chunks between begin and end, descending into the header lists.
void walk(const std::vector<uint8_t>& bytes, size_t begin, size_t end, AviLayout& layout) {
    for (size_t at = begin; at + 8 <= end;) {
        uint32_t size = le32(bytes, at + 4);
        size_t data = at + 8;
        if (tagAt(bytes, at, "LIST") && (tagAt(bytes, data, "hdrl") || tagAt(bytes, data, "strl")))
            walk(bytes, data + 4, std::min(end, data + size), layout);
        else if (tagAt(bytes, at, "avih"))
            layout.totalFrames = le32(bytes, data + 16);
        else if (tagAt(bytes, at, "strh"))
            layout.streamLengths.push_back(le32(bytes, data + 32));
        else if (tagAt(bytes, at, "idx1"))
            for (size_t entry = data; entry + 16 <= std::min(end, data + size); entry += 16)
                if (tagAt(bytes, entry, "00dc") || tagAt(bytes, entry, "00db")) layout.indexedVideoChunks += 1;
        at = data + size + (size & 1);
    }
}
} // namespace

AviLayout readAviLayout(const std::string& path) {
    AviLayout layout;
    std::vector<uint8_t> bytes = readFileBytes(path);
    layout.fileSize = bytes.size();
    if (!tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "AVI ")) return layout;
    layout.riffSize = le32(bytes, 4);
    walk(bytes, 12, bytes.size(), layout);
    return layout;
}
