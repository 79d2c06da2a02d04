// Whole-file reads and crash-safe whole-file writes on POSIX.
#include "DatapackFiles.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Datapack {

std::vector<uint8_t> readWholeFile(const std::string& path, const std::string& operation) {
    auto fail = [&](int code) { return Failure(operation + ": couldn't read " + path + ": " + std::strerror(code)); };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fail(errno);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        int code = S_ISDIR(info.st_mode) ? EISDIR : (errno ? errno : EINVAL);
        ::close(fd);
        throw fail(code);
    }
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int code = errno;
            ::close(fd);
            throw fail(code);
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), block, block + n);
    }
    ::close(fd);
    return bytes;
}

void writeWholeFile(const std::string& path, const uint8_t* bytes, size_t size, const std::string& operation) {
    std::string error = Sys_WriteFileAtomically(path, {{bytes, size}});
    if (!error.empty()) throw Failure(operation + ": " + error);
}

} // namespace Datapack
