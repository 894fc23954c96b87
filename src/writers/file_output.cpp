#include "writers/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

namespace zorblit {
namespace {

// Opens a file of a name nobody else uses: name, process number, a counter.
int openTemporary(const std::string &name, std::string &temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".tmp%ld-%u", long(getpid()), counter++);
        temporary = name + suffix;
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, const uint8_t *data, size_t size) {
    while (size) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= size_t(written);
    }
    return true;
}

}  // namespace

bool replaceFile(const char *name, const uint8_t *data, size_t size) {
    if (!name || !*name) return false;
    std::string temporary;
    const int fd = openTemporary(name, temporary);
    if (fd < 0) return false;
    const bool written = writeAll(fd, data, size);
    if (close(fd) == 0 && written && std::rename(temporary.c_str(), name) == 0) return true;
    unlink(temporary.c_str());
    return false;
}

}  // namespace zorblit
