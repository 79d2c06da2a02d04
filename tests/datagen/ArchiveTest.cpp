// The generated archive as the show reads it: every entry the show asks for is there once, the
// whole stays within 40 MB, and the generator refuses an output it cannot write before spending
// time on composing. (The pictures in it are the composed ones: ImagesTest decodes those.)
#include "resources/FileArchive.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {
const char* const pictureNames[] = {
    "data/yo8.jpg",    "data/entry1.jpg", "data/entry2.jpg", "data/entry3.jpg", "data/start.jpg",  "data/exit.jpg",
    "data/1.jpg",      "data/3.jpg",      "data/4.jpg",      "data/5.jpg",      "data/6.jpg",      "data/7.jpg",
    "data/9.jpg",      "data/15.jpg",     "data/16.jpg",     "data/19.jpg",     "data/20.jpg",     "data/fade1.jpg",
    "data/fade3.jpg",  "data/fade4.jpg",  "data/fade5.jpg",  "data/fade6.jpg",  "data/fade7.jpg",  "data/fade9.jpg",
    "data/fade14.jpg", "data/fade16.jpg", "data/fade19.jpg", "data/fade20.jpg"};
const char* const otherNames[] = {"hxaaayqrvpj6duhqmbg1.tmp", "hxaaayqrvpj6duhqmbg2.tmp", "hxaaayqrvpj6duhqmbg3.tmp",
                                  "data/videoclip1.mpg",      "data/broken",              "data/broken.end",
                                  "data/col4.mp3",            "data/videoclip2.mpg"};

std::string datagenPath() {
    const char* build = std::getenv("TRIPTYCH_BUILD_DIR");
    return std::string(build ? build : ".") + "/datagen";
}

// Runs a command; returns its exit status and, through `output`, what it printed.
int run(const std::string& command, std::string& output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

TEST(Archive, HoldsEveryEntryOnceWithinFortyMegabytes) {
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory("data.data"), 0) << "data.data in the build folder (made by datagen)";
    struct stat info{};
    ASSERT_EQ(stat("data.data", &info), 0);
    EXPECT_LE(info.st_size, 40L * 1024 * 1024);
    std::multiset<std::string> stored;
    for (int32_t i = 0; i < archive.getCount(); ++i) stored.insert(archive.getName(i));
    for (const char* name : pictureNames) EXPECT_EQ(stored.count(name), 1u) << name;
    for (const char* name : otherNames) EXPECT_EQ(stored.count(name), 1u) << name;
    for (int32_t i = 0; i < archive.getCount(); ++i) EXPECT_GT(archive.getSize(i), 0) << archive.getName(i);
}

TEST(Generator, RefusesAnOutputItCannotWriteAtOnce) {
    std::string output;
    int status = run(datagenPath() + " /nonexistent-folder/out.data", output);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("/nonexistent-folder/out.data"), std::string::npos) << output;
    struct stat info{};
    EXPECT_NE(stat("/nonexistent-folder", &info), 0);

    output.clear();
    EXPECT_EQ(run(datagenPath() + " one two", output), 1);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
}
