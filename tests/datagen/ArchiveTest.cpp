// The generated archive as the show reads it: each of its 36 entries there once, the whole within
// 40 MB; and the generator refuses an output it cannot write before spending time on composing.
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
    int status = run(datagenPath() + " /nonexistent-folder/out.data", output);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("/nonexistent-folder/out.data"), std::string::npos) << output;

    output.clear();
    EXPECT_EQ(run(datagenPath() + " one two", output), 1);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
}
