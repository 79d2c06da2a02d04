// The generated archive as the show reads it: each of its 36 entries there once, the whole within
// 40 MB; and the generator refuses an output it cannot write before spending time on composing.
#include "TestFiles.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>

namespace {
// Runs the build folder's datagen with the arguments; returns its exit status, and what it
// printed through `output`.
int datagen(const std::string& arguments, std::string& output) {
    const char* build = std::getenv("TRIPTYCH_BUILD_DIR");
    ScratchFolder folder;
    int status = std::system((std::string(build ? build : ".") + "/datagen " + arguments + " >" +
                              folder.file("out") + " 2>&1").c_str());
    output = readFileText(folder.file("out"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

TEST(Archive, HoldsEveryEntryOnceWithinFortyMegabytes) {
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory("data.data"), 0) << "data.data in the build folder (made by datagen)";
    EXPECT_LE(std::filesystem::file_size("data.data"), 40u * 1024 * 1024);
    // Each entry once (a second of a name could never be read) and none empty; that the show
    // finds every entry it asks for, every render of the default data shows.
    std::set<std::string> stored;
    for (int32_t i = 0; i < archive.getCount(); ++i) {
        EXPECT_TRUE(stored.insert(archive.getName(i)).second) << archive.getName(i);
        EXPECT_GT(archive.getSize(i), 0) << archive.getName(i);
    }
    EXPECT_EQ(stored.size(), 36u);
}

TEST(Generator, RefusesAnOutputItCannotWriteAtOnce) {
    std::string output;
    EXPECT_EQ(datagen("/nonexistent-folder/out.data", output), 1);
    EXPECT_NE(output.find("/nonexistent-folder/out.data"), std::string::npos) << output;
    EXPECT_EQ(datagen("one two", output), 1);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
}
