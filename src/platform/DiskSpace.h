// How much room a folder's file system has left, behind a plain function.
#pragma once

#include <cstdint>
#include <string>

// Bytes an unprivileged writer can still put into the file system holding path (a file or a
// folder; a file's folder when the file does not exist yet); -1 when it cannot be told.
int64_t Sys_FreeDiskBytes(const std::string& path);
// The folder a file name lies in ("." for a bare name).
std::string Sys_FolderOf(const std::string& fileName);
