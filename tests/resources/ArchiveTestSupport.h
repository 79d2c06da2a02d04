// Helpers for archive and file-service tests: a private scratch directory and archive bytes.
#pragma once

#include "TestFiles.h"
#include "resources/ArchiveFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace ArchiveTestSupport {

// The archive bytes: an optional prefix, the marker, an "@" separator, then the rest as given.
inline std::string archiveBytes(const std::string& afterSeparator, const std::string& prefix = "") {
    return prefix + std::string(ArchiveFormat::marker, ArchiveFormat::markerLength) + "@" + afterSeparator;
}

// A fixture with a private directory for the test.
class ScratchDirectory : public testing::Test {
protected:
    // Writes bytes to a file in the directory and returns its full path.
    std::string writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(pathOf(name), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return pathOf(name);
    }
    std::string pathOf(const std::string& name) const { return scratch.file(name); }

    ScratchFolder scratch;
    const std::string& directory = scratch.path();
};

} // namespace ArchiveTestSupport
