// Temporary-and-rename file writing on POSIX.
#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// 0, or the errno of the failed write.
int writeAll(int fd, const void* bytes, size_t count) {
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t n = ::write(fd, p, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        p += n;
        count -= size_t(n);
    }
    return 0;
}
} // namespace

std::string Sys_WriteFileAtomically(const std::string& path, const std::vector<FilePiece>& pieces) {
    // Beside the target, so that the rename stays on one file system.
    std::string temporary = path + ".partial-XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return "couldn't create a temporary file for " + path + ": " + std::strerror(errno);
    fchmod(fd, 0644);
    int code = 0;
    for (const FilePiece& piece : pieces)
        if (code == 0 && piece.size > 0) code = writeAll(fd, piece.bytes, piece.size);
    if (::close(fd) != 0 && code == 0) code = errno;
    if (code != 0) {
        unlink(temporary.c_str());
        return "couldn't write " + path + ": " + std::strerror(code);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        code = errno;
        unlink(temporary.c_str());
        return "couldn't replace " + path + ": " + std::strerror(code);
    }
    return "";
}
