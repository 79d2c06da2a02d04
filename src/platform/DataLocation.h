// Where the show's data file is looked for: the current directory, beside the program, the data
// folder of the prefix the program is installed under, the XDG data folders and /usr/share.
#pragma once

#include <string>
#include <vector>

struct DataLocation {
    // The file found, or empty when none was. In the current directory it is the bare file
    // name, so that messages about it read as they always have.
    std::string path;
    // Every path looked at, in order, absolute where the folder is known.
    std::vector<std::string> placesLooked;

    // For the terminal when nothing was found: the file's name and every place looked.
    std::string missingText() const;
};

// The paths where fileName is looked for, in order and without repeats: currentFolder, then
// programFolder (skipped when empty), then programFolder/../share/triptych, then triptych/ in
// each absolute folder of xdgDataDirs (/usr/local/share:/usr/share when it is null or empty),
// then /usr/share/triptych.
std::vector<std::string> Sys_DataPlaces(const std::string& fileName, const std::string& currentFolder,
                                        const std::string& programFolder, const char* xdgDataDirs);

// The first of Sys_DataPlaces that holds fileName (anything but a folder), looked for from the
// current directory.
DataLocation Sys_FindDataFile(const std::string& fileName, const std::string& programFolder,
                              const char* xdgDataDirs);

// The show's "data.data", looked for from the running program and $XDG_DATA_DIRS.
DataLocation Sys_FindShowData();

// The folder of the running executable (from /proc/self/exe), or "" when it cannot be read.
std::string Sys_ProgramFolder();
