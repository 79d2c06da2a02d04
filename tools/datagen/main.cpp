// datagen: composes the default show archive from code (pictures, clips, music) and writes it;
// with --icon, the program's icon for desktop menus instead.
#include "DefaultData.h"
#include "images/AppIcon.h"
#include "images/PngEncoder.h"
#include "platform/AtomicFile.h"
#include "resources/ArchiveWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {
// The icon as a 256x256 PNG file at path.
int writeIcon(const std::string& path) {
    try {
        std::vector<uint8_t> png = PngEncoder::encode(AppIcon::draw(256), path);
        std::string error = Sys_WriteFileAtomically(path, {{png.data(), png.size()}});
        if (error.empty()) return 0;
        std::fprintf(stderr, "datagen: %s\n", error.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "datagen: %s\n", e.what());
    }
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    std::string out = argc > 1 ? argv[1] : "data.data";
    if (argc == 3 && out == "--icon") return writeIcon(argv[2]);
    if (argc > 2 || out == "-h" || out == "--help") {
        std::fprintf(stderr, "usage: datagen [OUTPUT]   (default: data.data)\n"
                             "       datagen --icon ICON.png   (the program's 256x256 icon)\n");
        return argc > 2 ? 1 : 0;
    }
    // Composing takes a while: find out first whether the archive can be written at all.
    std::string probe = out + ".partial";
    if (FILE* file = std::fopen(probe.c_str(), "wb")) {
        std::fclose(file);
        std::remove(probe.c_str());
    } else {
        std::fprintf(stderr, "datagen: couldn't create %s: %s\n", probe.c_str(), std::strerror(errno));
        return 1;
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
