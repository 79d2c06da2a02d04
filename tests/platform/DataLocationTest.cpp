// The data file's lookup: the order of the places, the first one holding the file winning, and
// the list of every place looked when none does.
#include "platform/DataLocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(DataPlaces, CurrentFolderThenProgramThenPrefixThenDataFoldersWithoutRepeats) {
    using Places = std::vector<std::string>;
    EXPECT_EQ(Sys_DataPlaces("data.data", "/home/viewer", "/opt/show/bin", "/srv/data:/usr/share/:relative::/srv/data"),
              (Places{"/home/viewer/data.data", "/opt/show/bin/data.data", "/opt/show/share/triptych/data.data",
                      "/srv/data/triptych/data.data", "/usr/share/triptych/data.data"}));
    // Unset or empty: the XDG default folders; an installed program's prefix is /usr/share itself.
    for (const char* unset : {static_cast<const char*>(nullptr), ""})
        EXPECT_EQ(Sys_DataPlaces("data.data", "/tmp/x", "/usr/bin", unset),
                  (Places{"/tmp/x/data.data", "/usr/bin/data.data", "/usr/share/triptych/data.data",
                          "/usr/local/share/triptych/data.data"}));
    // Run from its own folder; no program folder known; no current folder known.
    EXPECT_EQ(Sys_DataPlaces("data.data", "/work/build", "/work/build", "/nowhere"),
              (Places{"/work/build/data.data", "/work/share/triptych/data.data", "/nowhere/triptych/data.data",
                      "/usr/share/triptych/data.data"}));
    EXPECT_EQ(Sys_DataPlaces("data.data", "", "", "/nowhere"),
              (Places{"data.data", "/nowhere/triptych/data.data", "/usr/share/triptych/data.data"}));
}

namespace {
// A scratch layout: the current folder, a prefix with bin/ and share/triptych/, two data
// folders; the test runs in the current one.
class DataLookupTest : public testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "datalookup-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = fs::canonical(pattern).string();
        for (const char* folder : {"here", "prefix/bin", "prefix/share/triptych", "first/triptych", "second/triptych"})
            fs::create_directories(root + "/" + folder);
        fs::current_path(root + "/here");
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }
    void put(const std::string& place) { std::ofstream(root + "/" + place + "/data.data") << "x"; }
    DataLocation find() const {
        std::string folders = root + "/first:" + root + "/second";
        return Sys_FindDataFile("data.data", root + "/prefix/bin", folders.c_str());
    }
    fs::path previous;
    std::string root;
};
} // namespace

TEST_F(DataLookupTest, TheFirstPlaceHoldingTheFileWins) {
    const std::vector<std::string> order = {"here", "prefix/bin", "prefix/share/triptych", "first/triptych",
                                            "second/triptych"};
    for (const std::string& place : order) put(place);
    // In the current folder the bare name is kept, as the show's messages have always said.
    DataLocation found = find();
    EXPECT_EQ(found.path, "data.data");
    EXPECT_EQ(found.placesLooked, std::vector<std::string>{root + "/here/data.data"});
    for (size_t k = 1; k < order.size(); ++k) {
        fs::remove(root + "/" + order[k - 1] + "/data.data");
        found = find();
        EXPECT_EQ(found.path, root + "/" + order[k] + "/data.data");
        ASSERT_EQ(found.placesLooked.size(), k + 1);
        EXPECT_EQ(found.placesLooked.back(), found.path);
    }
    // A folder of that name is no data file: the search goes on past it.
    fs::create_directory(root + "/here/data.data");
    EXPECT_EQ(find().path, root + "/second/triptych/data.data");
}

TEST_F(DataLookupTest, WithoutTheFileEveryPlaceLookedIsListed) {
    if (fs::exists("/usr/share/triptych/data.data"))
        GTEST_SKIP() << "/usr/share/triptych/data.data is installed here, so the file is always found";
    DataLocation found = find();
    EXPECT_EQ(found.path, "");
    EXPECT_EQ(found.placesLooked,
              (std::vector<std::string>{root + "/here/data.data", root + "/prefix/bin/data.data",
                                        root + "/prefix/share/triptych/data.data", root + "/first/triptych/data.data",
                                        root + "/second/triptych/data.data", "/usr/share/triptych/data.data"}));
    EXPECT_EQ(found.missingText(), "data.data was not found; looked for " + root + "/here/data.data, " + root +
                                       "/prefix/bin/data.data, " + root + "/prefix/share/triptych/data.data, " +
                                       root + "/first/triptych/data.data, " + root +
                                       "/second/triptych/data.data, /usr/share/triptych/data.data");
}
