// The file service in loose-file mode (kept buffers, the table limit, load failures) and in
// archive mode (a fresh buffer per request).
#include "resources/FileServer.h"

#include "ArchiveTestSupport.h"
#include "platform/DebugServer.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using ArchiveTestSupport::archiveBytes;

namespace {
class FileServerTest : public ArchiveTestSupport::ScratchDirectory {
protected:
    // Runs the request and returns the error text it raised, or "" when it raised none.
    template <typename Request> static std::string errorOf(Request request) {
        try {
            request();
        } catch (const ExceptionType& error) {
            return error.describe();
        }
        return "";
    }
    DebugServer log{11, 0};
};
} // namespace

TEST_F(FileServerTest, LooseFilesAreReadOnceAndKept) {
    FileServer server(&log, 200);
    EXPECT_FALSE(isArchiveMode());
    std::string path = writeFile("a.bin", "hello");
    uint8_t* first = server.getFile(path.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::memcmp(first, "hello", 5), 0);
    writeFile("a.bin", "changed on disk");
    EXPECT_EQ(server.getFile(path.c_str()), first); // answered from memory
    EXPECT_EQ(server.getFileSize(path.c_str()), 5);
}

TEST_F(FileServerTest, LooseFileFailures) {
    FileServer server(&log, 200);
    std::string missing = pathOf("missing.bin");
    const std::string cannotOpen = "Error - couldn't open file " + missing + "! Aborting...";
    EXPECT_EQ(errorOf([&] { server.getFile(missing.c_str()); }), cannotOpen);

    std::string empty = writeFile("empty.bin", "");
    EXPECT_EQ(errorOf([&] { server.getFileSize(empty.c_str()); }),
              "Error - couldn't read file " + empty + "! Aborting...");
    EXPECT_NE(errorOf([&] { server.getFile(directory.c_str()); }), "");

    // A failed name raises its real error again on the next request instead of a stale record.
    EXPECT_EQ(errorOf([&] { server.getFile(missing.c_str()); }), cannotOpen);
    writeFile("missing.bin", "now here");
    EXPECT_EQ(server.getFileSize(missing.c_str()), 8);

    EXPECT_EQ(server.getFile(nullptr), nullptr);
    EXPECT_EQ(server.getFileSize(nullptr), -1);
}

TEST_F(FileServerTest, TableHoldsOneFileFewerThanItsSizeAndFailuresTakeNoSlot) {
    FileServer server(&log, 200);
    for (int k = 0; k < 5; ++k) EXPECT_NE(errorOf([&] { server.getFile(pathOf("nothing").c_str()); }), "");
    for (int k = 0; k < 199; ++k) {
        std::string path = writeFile("f" + std::to_string(k), "x");
        ASSERT_NE(server.getFile(path.c_str()), nullptr) << k;
    }
    std::string last = writeFile("f199", "x");
    EXPECT_EQ(errorOf([&] { server.getFile(last.c_str()); }), "Error - too many files in FileServer! Aborting...");
    EXPECT_EQ(server.getFileSize(pathOf("f0").c_str()), 1); // files already held are still answered
}

TEST_F(FileServerTest, ArchiveModeHandsOutAFreshBufferPerRequest) {
    std::string archivePath = writeFile("test.data", archiveBytes("data/1.jpg@4@@JPEG"));
    writeFile("loose.bin", "loose");
    FileServer server(&log, 200);
    server.openArchive(archivePath.c_str());
    EXPECT_TRUE(isArchiveMode());

    std::unique_ptr<uint8_t[]> first(server.getFile("Data/1.JPG"));
    std::unique_ptr<uint8_t[]> second(server.getFile("1.jpg"));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(std::memcmp(first.get(), "JPEG", 4), 0);
    EXPECT_EQ(std::memcmp(second.get(), "JPEG", 4), 0);
    // Loose files are no longer consulted; unknown names give null and -1 without an error.
    EXPECT_EQ(server.getFile(pathOf("loose.bin").c_str()), nullptr);
    EXPECT_EQ(server.getFileSize(pathOf("loose.bin").c_str()), -1);

    // A new service starts in loose-file mode again.
    FileServer fresh(&log, 200);
    EXPECT_FALSE(isArchiveMode());
}

TEST_F(FileServerTest, UnreadableArchiveIsAMetadataError) {
    FileServer server(&log, 200);
    std::string bad = writeFile("bad.data", "no marker here");
    EXPECT_EQ(errorOf([&] { server.openArchive(bad.c_str()); }), "Error - couldn't read metadata! Aborting...");
    EXPECT_FALSE(isArchiveMode());
}
