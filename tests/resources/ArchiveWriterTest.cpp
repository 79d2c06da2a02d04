// The archive writer: what it writes reads back through the show's reader, and it refuses
// entries the reader could not give back. (The datapack tool's script runs it end to end.)
#include "resources/ArchiveWriter.h"

#include "ArchiveTestSupport.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {
std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ArchiveWriterTest : public ArchiveTestSupport::ScratchDirectory {};
} // namespace

TEST_F(ArchiveWriterTest, RoundTripThroughTheReader) {
    ArchiveWriter writer;
    const std::string marker(ArchiveFormat::marker, ArchiveFormat::markerLength);
    std::vector<uint8_t> binary(70000);
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = uint8_t(i * 7 + 3);
    EXPECT_EQ(writer.add("data/1.jpg", binary), "");
    EXPECT_EQ(writer.add("data/empty.bin", {}), "");
    EXPECT_EQ(writer.add("data/tricky.txt", bytesOf("@@" + marker + "@12@@")), ""); // data may hold anything
    EXPECT_EQ(writer.add(std::string(511, 'n'), bytesOf("long")), "");
    EXPECT_EQ(writer.add("with space and ümlaut", bytesOf("u")), "");

    std::string path = pathOf("out.data");
    ASSERT_EQ(writer.write(path), "");
    EXPECT_EQ(readWhole(path).rfind(marker + "@data/1.jpg@70000@data/empty.bin@0@", 0), 0u);

    FileArchive archive;
    ASSERT_EQ(archive.readDirectory(path.c_str()), 0);
    ASSERT_EQ(archive.getCount(), 5);
    std::unique_ptr<uint8_t[]> first(archive.getFile("1.jpg")), tricky(archive.getFile("tricky.txt"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(std::equal(binary.begin(), binary.end(), first.get()));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(tricky.get()), marker.size() + 7), "@@" + marker + "@12@@");
    EXPECT_EQ(archive.getFileSize("data/empty.bin"), 0);
    EXPECT_EQ(archive.getFileSize(std::string(511, 'n').c_str()), 4);
    EXPECT_EQ(archive.getFileSize("WITH SPACE AND ümlaut"), 1);

    ArchiveWriter none;
    ASSERT_EQ(none.write(path), ""); // an existing archive is replaced
    ASSERT_EQ(archive.readDirectory(path.c_str()), 0);
    EXPECT_EQ(archive.getCount(), 0);
}

TEST_F(ArchiveWriterTest, RefusesWhatTheReaderCannotTake) {
    ArchiveWriter writer;
    // ("@", names over 511 bytes and failed writes are datapack_cli.sh's through the tool.)
    EXPECT_NE(writer.add("", {}), "");
    EXPECT_NE(writer.add(std::string("nul\0byte", 8), {}), "");
    EXPECT_EQ(writer.getCount(), 0u);

    // Names an earlier entry already answers could never be read.
    ASSERT_EQ(writer.add("data/1.jpg", bytesOf("1")), "");
    EXPECT_NE(writer.add("DATA/1.JPG", {}).find("data/1.jpg"), std::string::npos);
    EXPECT_NE(writer.add("1.jpg", {}), "");
    EXPECT_EQ(writer.add("other/1.jpg", {}), ""); // reachable by its whole name
    EXPECT_EQ(writer.getCount(), 2u);

    ArchiveWriter full;
    for (int k = 0; k < 1024; ++k) ASSERT_EQ(full.add("f" + std::to_string(k), {}), "");
    EXPECT_NE(full.add("f1024", {}).find("1024"), std::string::npos);
    EXPECT_EQ(full.getCount(), 1024u);
}
