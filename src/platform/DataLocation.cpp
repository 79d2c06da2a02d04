// The data file's lookup order and the search through it, on Linux (/proc/self/exe, XDG).
#include "platform/DataLocation.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
// The XDG default for an unset or empty $XDG_DATA_DIRS.
constexpr const char* defaultDataFolders = "/usr/local/share:/usr/share";
constexpr const char* showFolder = "triptych";

bool holdsFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}
} // namespace

std::string DataLocation::missingText() const {
    std::string name = placesLooked.empty() ? "the data file" : fs::path(placesLooked.front()).filename().string();
    std::string text = name + " was not found; looked for";
    for (size_t k = 0; k < placesLooked.size(); ++k)
        text += (k == 0 ? " " : ", ") + placesLooked[k];
    return text;
}

std::vector<std::string> Sys_DataPlaces(const std::string& fileName, const std::string& currentFolder,
                                        const std::string& programFolder, const char* xdgDataDirs) {
    std::vector<std::string> places;
    auto add = [&](const fs::path& folder) {
        std::string place = (folder / fileName).lexically_normal().string();
        if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
    };
    add(currentFolder);
    if (!programFolder.empty()) {
        add(programFolder);
        add(fs::path(programFolder) / ".." / "share" / showFolder);
    }
    // Relative entries are not valid XDG data folders and are passed over.
    std::string folders = xdgDataDirs && *xdgDataDirs ? xdgDataDirs : defaultDataFolders;
    for (size_t start = 0; start <= folders.size();) {
        size_t end = std::min(folders.find(':', start), folders.size());
        std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') add(fs::path(folder) / showFolder);
        start = end + 1;
    }
    add(fs::path("/usr/share") / showFolder);
    return places;
}

DataLocation Sys_FindDataFile(const std::string& fileName, const std::string& programFolder,
                              const char* xdgDataDirs) {
    std::error_code unknown;
    std::string current = fs::current_path(unknown).string(); // "" when the directory is gone
    DataLocation location;
    location.placesLooked = Sys_DataPlaces(fileName, current, programFolder, xdgDataDirs);
    for (size_t k = 0; k < location.placesLooked.size(); ++k) {
        if (!holdsFile(location.placesLooked[k])) continue;
        // The first place is always the current directory's.
        location.path = k == 0 ? fileName : location.placesLooked[k];
        location.placesLooked.resize(k + 1);
        break;
    }
    return location;
}

DataLocation Sys_FindShowData() {
    return Sys_FindDataFile("data.data", Sys_ProgramFolder(), std::getenv("XDG_DATA_DIRS"));
}

std::string Sys_ProgramFolder() {
    std::error_code unreadable;
    fs::path program = fs::read_symlink("/proc/self/exe", unreadable);
    if (unreadable || program.empty()) return "";
    return program.parent_path().string();
}
