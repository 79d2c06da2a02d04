// The places the data file is looked for, in order and without repeats. (That the first one
// holding the file wins, and the list of places when none does, data_lookup.sh shows end to end.)
#include "platform/DataLocation.h"

#include <gtest/gtest.h>

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
