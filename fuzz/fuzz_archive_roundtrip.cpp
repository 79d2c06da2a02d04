// libFuzzer target: entries made from arbitrary bytes go through the archive writer and back
// through the reader; whatever the writer accepts must read back whole, by its own name.
#include "resources/ArchiveWriter.h"
#include "resources/FileArchive.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
void require(bool condition) {
    if (!condition) std::abort();
}

// Takes up to n bytes from the input.
std::string take(const uint8_t*& data, size_t& size, size_t n) {
    n = n < size ? n : size;
    std::string bytes(reinterpret_cast<const char*>(data), n);
    data += n;
    size -= n;
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ArchiveWriter writer;
    std::vector<std::pair<std::string, std::string>> accepted;
    while (size >= 2 && accepted.size() < 64) {
        size_t nameLength = data[0] % 64 + (data[0] >= 250 ? 500 : 0); // now and then a long name
        size_t dataLength = data[1];
        data += 2;
        size -= 2;
        std::string name = take(data, size, nameLength);
        std::string bytes = take(data, size, dataLength);
        if (writer.add(name, std::vector<uint8_t>(bytes.begin(), bytes.end())).empty())
            accepted.emplace_back(name, bytes);
    }
    std::vector<uint8_t> archiveBytes = writer.serialize();
    static FileArchive* archive = new FileArchive();
    require(archive->parseDirectory(archiveBytes.data(), int64_t(archiveBytes.size())) == FileArchive::Ok);
    require(archive->getCount() == int32_t(accepted.size()));
    for (int32_t k = 0; k < archive->getCount(); ++k) {
        const auto& [name, bytes] = accepted[size_t(k)];
        require(name == archive->getName(k));
        require(archive->find(name.c_str()) == k);
        require(archive->getSize(k) == int32_t(bytes.size()));
        require(bytes.empty() || std::memcmp(archiveBytes.data() + archive->getOffset(k), bytes.data(), bytes.size()) == 0);
    }
    return 0;
}
