// The archive directory parser on good and hostile archives, name matching, and file reads.
#include "resources/FileArchive.h"

#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

TEST_F(FileArchiveTest, NamesMatchIgnoringCaseWholeOrByLastPart) {
    ASSERT_EQ(open(archiveBytes("data/1.jpg@1@other/1.jpg@1@UPPER/Name.TXT@1@plain@1@@ABCD")), 0);
    // "1.jpg": the earlier of two matching entries wins; a backslash is not a "/".
    const std::pair<const char*, int32_t> cases[] = {
        {"Data/1.JPG", 0}, {"1.jpg", 0}, {"other/1.jpg", 1}, {"name.txt", 2}, {"PLAIN", 3},
        {"data\\1.jpg", -1}, {"data", -1}, {"ata/1.jpg", -1}, {"/1.jpg", -1}};
    for (const auto& [name, index] : cases) EXPECT_EQ(archive.find(name), index) << name;
    EXPECT_EQ(contents("name.txt"), "C");
}

TEST_F(FileArchiveTest, GoodDirectoriesGiveTheirEntries) {
    const std::string marker(ArchiveFormat::marker, ArchiveFormat::markerLength);
    // Each archive after its separator, its entry count and what some names give ("<null>": nothing).
    // Every archive has a prefix before its marker, which the reader skips.
    const struct {
        std::string afterSeparator;
        int32_t count;
        std::vector<std::pair<const char*, std::string>> contents;
    } cases[] = {
        {"@@", 0, {{"a", "<null>"}}},
        // data begins right after the terminating "@"
        {"data/a.jpg@3@data/b.mp3@2@@abcde", 2, {{"data/a.jpg", "abc"}, {"data/b.mp3", "de"}, {"data/c", "<null>"}}},
        // an empty size field ends the directory there; the half entry is not counted
        {"first@1@second@@X", 1, {{"first", "X"}, {"second", "<null>"}}},
        {"empty@0@full@1@@Z", 2, {{"empty", ""}, {"full", "Z"}}}, // size 0: a valid, empty buffer
        // leading blanks and a plus sign are allowed; text after the digits is skipped
        {"a@  2@b@+1@c@3 bytes@@aabccc", 3, {{"a", "aa"}, {"b", "b"}, {"c", "ccc"}}},
        // the first marker counts; a second one inside the data is just data
        {"m@46@@" + marker + "@", 1, {{"m", marker + "@"}}},
        {"a@1@@ab", 1, {{"a", "a"}}}, // bytes after the data are ignored
    };
    for (const auto& c : cases) {
        ASSERT_EQ(open(archiveBytes(c.afterSeparator, "prefix")), FileArchive::Ok) << c.afterSeparator;
        EXPECT_EQ(archive.getCount(), c.count) << c.afterSeparator;
        for (const auto& [name, expected] : c.contents) EXPECT_EQ(contents(name), expected) << c.afterSeparator;
    }
}

TEST_F(FileArchiveTest, DamagedDirectoriesAreRefusedAndLeaveNothingBehind) {
    const std::string marker(ArchiveFormat::marker, ArchiveFormat::markerLength);
    const std::pair<std::string, int32_t> cases[] = {
        {archiveBytes("a@3@@ab"), FileArchive::PastEndOfFile},
        {archiveBytes("a@1@b@2147483647@@ab"), FileArchive::PastEndOfFile},
        {archiveBytes("a@-1@@x"), FileArchive::NegativeSize},
        {archiveBytes("a@ @@x"), FileArchive::SizeNotNumber},
        {archiveBytes("a@99999999999@@x"), FileArchive::SizeNotNumber},
        {"prefix" + marker, FileArchive::NoMarker}, // the marker ends at the last byte
        {marker.substr(0, 44), FileArchive::NoMarker},
        {marker + "@", FileArchive::NoTerminator}, // only the separator follows
        {archiveBytes("a@1@"), FileArchive::NoTerminator},
        {archiveBytes("name-without-at"), FileArchive::NoTerminator},
        {archiveBytes("@"), FileArchive::NoTerminator},
    };
    for (const auto& [bytes, result] : cases) {
        ASSERT_EQ(open(archiveBytes("a@1@@x")), FileArchive::Ok);
        EXPECT_EQ(open(bytes), result) << bytes;
        EXPECT_EQ(archive.getCount(), 0) << bytes;
    }
}

TEST_F(FileArchiveTest, EntryAndNameLimits) {
    std::string directory;
    for (int k = 0; k < 1024; ++k) directory += "f" + std::to_string(k) + "@0@";
    ASSERT_EQ(open(archiveBytes(directory + "@")), FileArchive::Ok);
    EXPECT_EQ(archive.getCount(), 1024);
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
    EXPECT_EQ(archive.getFile(nullptr), nullptr);
    writeFile("kept.data", archiveBytes("a@2@b@2@@aab")); // truncated behind the reader's back
    EXPECT_EQ(archive.getFile("b"), nullptr);
    std::filesystem::remove(pathOf("kept.data"));
    EXPECT_EQ(archive.getFile("a"), nullptr);
    EXPECT_EQ(archive.getFileSize("a"), 2); // the directory itself stays known
}
