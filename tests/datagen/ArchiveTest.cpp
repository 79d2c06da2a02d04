// The generated archive as the show reads it, within 40 MB; and the generator refuses an output it
// cannot write before spending time on composing.
#include "TestFiles.h"
#include "resources/FileArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

TEST(Archive, IsReadableWithinFortyMegabytes) {
    // (The archive writer datagen packs with refuses a name twice; that the show finds every entry
    // it asks for, every render of the default data shows.)
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory("data.data"), 0) << "data.data in the build folder (made by datagen)";
    EXPECT_LE(std::filesystem::file_size("data.data"), 40u * 1024 * 1024);
}

TEST(Generator, RefusesAnOutputItCannotWriteAtOnce) {
    std::string output;
    EXPECT_EQ(datagen("/nonexistent-folder/out.data", output), 1);
    EXPECT_NE(output.find("/nonexistent-folder/out.data"), std::string::npos) << output;
    EXPECT_EQ(datagen("one two", output), 1);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
}
