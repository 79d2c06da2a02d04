// The archive directory parser on good and hostile archives, name matching, and file reads.
#include "resources/FileArchive.h"

#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using ArchiveTestSupport::archiveBytes;

namespace {
class FileArchiveTest : public ArchiveTestSupport::ScratchDirectory {
protected:
    // Writes the bytes as an archive and reads its directory.
    int32_t open(const std::string& bytes) {
        path = writeFile("test.data", bytes);
        return archive.readDirectory(path.c_str());
    }
    std::string contents(const char* name) {
        std::unique_ptr<uint8_t[]> data(archive.getFile(name));
        if (!data) return "<null>";
        return std::string(reinterpret_cast<char*>(data.get()), size_t(archive.getFileSize(name)));
    }
    std::string path;
    FileArchive archive;
};
} // namespace

TEST_F(FileArchiveTest, ReadsDirectoryOffsetsAndFiles) {
    // A prefix before the marker is ignored; data begins right after the terminating "@".
    std::string bytes = archiveBytes("data/a.jpg@3@data/b.mp3@2@@abcde", "prefix");
    ASSERT_EQ(open(bytes), FileArchive::Ok);
    ASSERT_EQ(archive.getCount(), 2);
    EXPECT_STREQ(archive.getName(0), "data/a.jpg");
    EXPECT_EQ(archive.getOffset(0), int32_t(bytes.size() - 5));
    EXPECT_EQ(archive.getOffset(1), int32_t(bytes.size() - 2));
    EXPECT_EQ(contents("data/a.jpg"), "abc");
    EXPECT_EQ(contents("data/b.mp3"), "de");
    EXPECT_EQ(archive.getFile("data/c.mp3"), nullptr);
    EXPECT_EQ(archive.getFileSize("data/c.mp3"), -1);
    EXPECT_EQ(archive.getFile(nullptr), nullptr);
}

TEST_F(FileArchiveTest, NamesMatchIgnoringCaseWholeOrByLastPart) {
    ASSERT_EQ(open(archiveBytes("data/1.jpg@1@other/1.jpg@1@UPPER/Name.TXT@1@plain@1@@ABCD")), 0);
    EXPECT_EQ(archive.find("data/1.jpg"), 0);
    EXPECT_EQ(archive.find("Data/1.JPG"), 0);
    EXPECT_EQ(archive.find("1.jpg"), 0); // the earlier of two matching entries wins
    EXPECT_EQ(archive.find("other/1.jpg"), 1);
    EXPECT_EQ(archive.find("data\\1.jpg"), -1); // a backslash is not a "/"
    EXPECT_EQ(archive.find("name.txt"), 2);
    EXPECT_EQ(archive.find("PLAIN"), 3);
    for (const char* part : {"data", "ata/1.jpg", "/1.jpg"}) EXPECT_EQ(archive.find(part), -1) << part;
    EXPECT_EQ(contents("name.txt"), "C");
}

TEST_F(FileArchiveTest, EmptyDirectoriesAndEmptyFiles) {
    ASSERT_EQ(open(archiveBytes("@@")), FileArchive::Ok);
    EXPECT_EQ(archive.getCount(), 0);

    // An empty size field ends the directory there; the half entry is not counted.
    ASSERT_EQ(open(archiveBytes("first@1@second@@X")), FileArchive::Ok);
    EXPECT_EQ(archive.getCount(), 1);
    EXPECT_EQ(archive.find("second"), -1);
    EXPECT_EQ(contents("first"), "X");

    // A file of size 0 is a valid, empty buffer.
    ASSERT_EQ(open(archiveBytes("empty@0@full@1@@Z")), FileArchive::Ok);
    std::unique_ptr<uint8_t[]> empty(archive.getFile("empty"));
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(contents("full"), "Z");
}

TEST_F(FileArchiveTest, SizesAreSignedDecimalsInsideTheFile) {
    // Leading blanks and a plus sign are allowed; text after the digits is skipped.
    ASSERT_EQ(open(archiveBytes("a@  2@b@+1@c@3 bytes@@aabccc")), FileArchive::Ok);
    EXPECT_EQ(contents("a"), "aa");
    EXPECT_EQ(contents("b"), "b");
    EXPECT_EQ(contents("c"), "ccc");
    // The first marker counts; a second one inside the data is just data.
    const std::string marker(ArchiveFormat::marker, ArchiveFormat::markerLength);
    ASSERT_EQ(open(archiveBytes("m@46@@" + marker + "@")), FileArchive::Ok);
    EXPECT_EQ(contents("m"), marker + "@");
}

TEST_F(FileArchiveTest, DamagedDirectoriesAreRefusedAndLeaveNothingBehind) {
    const std::string marker(ArchiveFormat::marker, ArchiveFormat::markerLength);
    const std::pair<std::string, int32_t> cases[] = {
        {archiveBytes("a@3@@ab"), FileArchive::PastEndOfFile},
        {archiveBytes("a@1@b@2147483647@@ab"), FileArchive::PastEndOfFile},
        {archiveBytes("a@2@@ab"), FileArchive::Ok},
        {archiveBytes("a@1@@ab"), FileArchive::Ok}, // bytes after the data are ignored
        {archiveBytes("a@-1@@x"), FileArchive::NegativeSize},
        {archiveBytes("a@abc@@x"), FileArchive::SizeNotNumber},
        {archiveBytes("a@ @@x"), FileArchive::SizeNotNumber},
        {archiveBytes("a@99999999999@@x"), FileArchive::SizeNotNumber},
        {"just some bytes without the marker", FileArchive::NoMarker},
        {"prefix" + marker, FileArchive::NoMarker}, // the marker ends at the last byte
        {marker.substr(0, 44), FileArchive::NoMarker},
        {marker + "@", FileArchive::NoTerminator}, // only the separator follows
        {archiveBytes("a@1@"), FileArchive::NoTerminator},
        {archiveBytes("name-without-at"), FileArchive::NoTerminator},
        {archiveBytes("@"), FileArchive::NoTerminator},
    };
    for (const auto& [bytes, result] : cases) {
        EXPECT_EQ(open(bytes), result) << bytes;
        if (result != FileArchive::Ok) {
            EXPECT_EQ(archive.getCount(), 0) << bytes;
        }
    }
}

TEST_F(FileArchiveTest, EntryAndNameLimits) {
    std::string directory;
    for (int k = 0; k < 1024; ++k) directory += "f" + std::to_string(k) + "@0@";
    ASSERT_EQ(open(archiveBytes(directory + "@")), FileArchive::Ok);
    EXPECT_EQ(archive.getCount(), 1024);
    EXPECT_EQ(archive.find("f1023"), 1023);
    EXPECT_EQ(open(archiveBytes(directory + "one-more@0@@")), FileArchive::TooManyEntries);

    std::string longest(511, 'n');
    ASSERT_EQ(open(archiveBytes(longest + "@1@@x")), FileArchive::Ok);
    EXPECT_EQ(contents(longest.c_str()), "x");
    EXPECT_EQ(open(archiveBytes(longest + "n@1@@x")), FileArchive::NameTooLong);
    EXPECT_EQ(open(archiveBytes(std::string(5000, 'n') + "@1@@x")), FileArchive::NameTooLong);
}

TEST_F(FileArchiveTest, UnreadableOrChangedFilesFailCleanly) {
    EXPECT_EQ(archive.readDirectory(pathOf("missing.data").c_str()), FileArchive::CannotOpen);
    EXPECT_EQ(archive.readDirectory(nullptr), FileArchive::CannotOpen);
    EXPECT_EQ(open(""), FileArchive::Empty);
    EXPECT_LT(archive.readDirectory(directory.c_str()), 0); // a directory is not an archive
    {
        // The path is copied: the caller's string may go away after readDirectory.
        std::string temporary = writeFile("kept.data", archiveBytes("a@2@b@2@@aabb"));
        ASSERT_EQ(archive.readDirectory(temporary.c_str()), 0);
    }
    EXPECT_EQ(contents("b"), "bb");
    writeFile("kept.data", archiveBytes("a@2@b@2@@aab")); // truncated behind the reader's back
    EXPECT_EQ(archive.getFile("b"), nullptr);
    std::filesystem::remove(pathOf("kept.data"));
    EXPECT_EQ(archive.getFile("a"), nullptr);
    EXPECT_EQ(archive.getFileSize("a"), 2); // the directory itself stays known
}

TEST(FileArchiveMemory, ParsesBuffersWithoutAFile) {
    FileArchive archive;
    std::string bytes = archiveBytes("x@1@@!");
    EXPECT_EQ(archive.parseDirectory(reinterpret_cast<const uint8_t*>(bytes.data()), int64_t(bytes.size())), 0);
    EXPECT_EQ(archive.getCount(), 1);
    EXPECT_EQ(archive.getFile("x"), nullptr); // nothing to read the bytes from
    EXPECT_EQ(archive.parseDirectory(nullptr, 0), FileArchive::Empty);
    EXPECT_EQ(archive.getCount(), 0);
}
