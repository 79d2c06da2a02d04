// Helpers for archive and file-service tests: a private scratch directory and archive bytes.
#pragma once

#include "resources/ArchiveFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace ArchiveTestSupport {

// The archive bytes: an optional prefix, the marker, an "@" separator, then the rest as given.
inline std::string archiveBytes(const std::string& afterSeparator, const std::string& prefix = "") {
    return prefix + std::string(ArchiveFormat::marker, ArchiveFormat::markerLength) + "@" + afterSeparator;
}

// A fixture that makes a private directory for the test and removes it afterwards.
class ScratchDirectory : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "triptych-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    // Writes bytes to a file in the directory and returns its full path.
    std::string writeFile(const std::string& name, const std::string& bytes) const {
        std::filesystem::path path = directory / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path.string();
    }
    std::string pathOf(const std::string& name) const { return (directory / name).string(); }

    std::filesystem::path directory;
};

} // namespace ArchiveTestSupport
