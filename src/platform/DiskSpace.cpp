// Free space through statvfs.
#include "platform/DiskSpace.h"

#include <sys/statvfs.h>

std::string Sys_FolderOf(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

int64_t Sys_FreeDiskBytes(const std::string& path) {
    struct statvfs info {};
    if (statvfs(path.c_str(), &info) != 0 && statvfs(Sys_FolderOf(path).c_str(), &info) != 0) return -1;
    return int64_t(info.f_bavail) * int64_t(info.f_frsize);
}
