// Whole-file writes that never leave a half-written file: the bytes go to a uniquely named
// temporary beside the target, which is renamed into place only once everything is written.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct FilePiece {
    const void* bytes;
    size_t size;
};

// Writes the pieces one after another to path. "" on success, otherwise a message naming the
// operation and the file; the temporary is removed and an existing file at path is untouched.
std::string Sys_WriteFileAtomically(const std::string& path, const std::vector<FilePiece>& pieces);
