// datagen: composes the default show archive from code (the content comes in later steps).
#include "music/Music.h"
#include "resources/ArchiveWriter.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string out = argc > 1 ? argv[1] : "data.data";
    ArchiveWriter writer;
    for (Music::Entry& entry : Music::composeAll()) writer.add(entry.archiveName, std::move(entry.bytes));
    std::string error = writer.write(out);
    if (!error.empty()) {
        std::fprintf(stderr, "datagen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
