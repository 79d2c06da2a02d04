// datagen: composes the default show archive from code (pictures, clips, music) and writes it.
#include "DefaultData.h"
#include "resources/ArchiveWriter.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    std::string out = argc > 1 ? argv[1] : "data.data";
    if (argc > 2 || out == "-h" || out == "--help") {
        std::fprintf(stderr, "usage: datagen [OUTPUT]   (default: data.data)\n");
        return argc > 2 ? 1 : 0;
    }
    std::vector<DataEntry> entries;
    try {
        entries = DefaultData::composeAll();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "datagen: %s\n", e.what());
        return 1;
    }
    ArchiveWriter writer;
    size_t total = 0;
    for (DataEntry& entry : entries) {
        std::printf("%-28s %10zu bytes\n", entry.name.c_str(), entry.bytes.size());
        total += entry.bytes.size();
        std::string error = writer.add(entry.name, std::move(entry.bytes));
        if (!error.empty()) {
            std::fprintf(stderr, "datagen: couldn't add %s to %s: %s\n", entry.name.c_str(), out.c_str(), error.c_str());
            return 1;
        }
    }
    std::string error = writer.write(out);
    if (!error.empty()) {
        std::fprintf(stderr, "datagen: %s\n", error.c_str());
        return 1;
    }
    std::printf("wrote %s: %zu entries, %zu bytes of data\n", out.c_str(), writer.getCount(), total);
    return 0;
}
