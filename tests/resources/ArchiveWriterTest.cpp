// The archive writer: what it writes reads back through the show's reader, and it refuses
// entries the reader could not give back. (The datapack tool's script runs it end to end, with
// names holding "@" and failed writes.)
#include "resources/ArchiveWriter.h"

#include "ArchiveTestSupport.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class ArchiveWriterTest : public ArchiveTestSupport::ScratchDirectory {};
} // namespace

TEST_F(ArchiveWriterTest, DataHoldingTheMarkerReadsBackWhole) {
    const std::string marker(ArchiveFormat::marker, ArchiveFormat::markerLength);
    const std::string tricky = "@@" + marker + "@12@@";
    ArchiveWriter writer;
    EXPECT_EQ(writer.add("data/tricky.txt", bytesOf(tricky)), "");
    EXPECT_EQ(writer.add("with space and ümlaut", bytesOf("u")), "");
    std::string path = pathOf("out.data");
    ASSERT_EQ(writer.write(path), "");
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory(path.c_str()), 0);
    ASSERT_EQ(archive.getCount(), 2);
    std::unique_ptr<uint8_t[]> back(archive.getFile("tricky.txt"));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back.get()), tricky.size()), tricky);
    EXPECT_EQ(archive.getFileSize("WITH SPACE AND ümlaut"), 1);
}

TEST_F(ArchiveWriterTest, RefusesWhatTheReaderCannotTake) {
    ArchiveWriter writer;
    EXPECT_NE(writer.add("", {}), "");
    EXPECT_NE(writer.add(std::string("nul\0byte", 8), {}), "");
    EXPECT_NE(writer.add(std::string(512, 'n'), {}).find("511"), std::string::npos);

    // Names an earlier entry already answers could never be read.
    ASSERT_EQ(writer.add("data/1.jpg", bytesOf("1")), "");
    EXPECT_NE(writer.add("DATA/1.JPG", {}).find("data/1.jpg"), std::string::npos);
    EXPECT_NE(writer.add("1.jpg", {}), "");
    EXPECT_EQ(writer.add("other/1.jpg", {}), ""); // reachable by its whole name
    EXPECT_EQ(writer.getCount(), 2u);

    ArchiveWriter full;
    for (int k = 0; k < 1024; ++k) ASSERT_EQ(full.add("f" + std::to_string(k), {}), "");
    EXPECT_NE(full.add("f1024", {}).find("1024"), std::string::npos);
}
