// libFuzzer target: arbitrary bytes as a whole archive for the directory parser. A parsed
// directory must describe entries that lie inside the input and that name look-ups can reach.
#include "resources/FileArchive.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
void require(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FileArchive* archive = new FileArchive(); // reused, as the show reuses its one archive
    int32_t result = archive->parseDirectory(data, int64_t(size));
    if (result != FileArchive::Ok) {
        require(result < 0 && archive->getCount() == 0);
        return 0;
    }
    int32_t count = archive->getCount();
    require(count >= 0 && count <= ArchiveFormat::maxEntries);
    int64_t expected = archive->getDataStart();
    require(expected > int64_t(ArchiveFormat::markerLength) && expected <= int64_t(size));
    for (int32_t k = 0; k < count; ++k) {
        const char* name = archive->getName(k);
        require(name != nullptr && std::strlen(name) <= size_t(ArchiveFormat::maxNameLength));
        require(archive->getSize(k) >= 0);
        require(archive->getOffset(k) == expected);
        expected += archive->getSize(k);
        require(expected <= int64_t(size));
        int32_t found = archive->find(name);
        require(found >= 0 && found <= k);
        require(archive->getFileSize(name) == archive->getSize(found));
    }
    // A directory parsed from memory has no file to read from.
    if (count > 0) require(archive->getFile(archive->getName(0)) == nullptr);
    return 0;
}
