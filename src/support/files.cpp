// Whole-file reading and the existence test.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "zorblit.h"

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

struct Block {
    uint8_t *bytes = nullptr;
    ~Block() { std::free(bytes); }
    bool resize(size_t size) {
        auto *resized = static_cast<uint8_t *>(std::realloc(bytes, size));
        if (!resized) return false;
        bytes = resized;
        return true;
    }
};

// Reads from fd to its end into block; false on a read error, on running out of
// memory, or past limit bytes. The reported size only sets the first block:
// files under /proc report 0 and have content, and a file may grow meanwhile.
bool readToEnd(int fd, size_t sizeHint, size_t limit, Block &block, size_t &length) {
    // One byte more than expected, so that the end shows without a second block.
    size_t capacity = std::min(sizeHint, limit) + 1;
    length = 0;
    if (!block.resize(capacity)) return false;
    for (;;) {
        const ssize_t got = read(fd, block.bytes + length, capacity - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        length += size_t(got);
        if (length > limit) return false;
        if (length == capacity) {
            capacity = std::min(std::max<size_t>(capacity * 2, 4096), limit + 1);
            if (!block.resize(capacity)) return false;
        }
    }
}

}  // namespace

bool FileExists(const char *name) {
    struct stat info;
    return name && stat(name, &info) == 0 && S_ISREG(info.st_mode);
}

// The name is opened once, without blocking (a FIFO or device put in a file's
// place cannot hang the open), and what was opened must be a regular file.
bool LoadFileToMemory(const char *name, uint8_t **buffer, uint32_t *size) {
    if (!name) return false;
    const Descriptor file{open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat info;
    if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // The size travels as an unsigned 32-bit count, and one block holds at most
    // PTRDIFF_MAX bytes (2 GiB on 32-bit processors): larger files are refused.
    Block block;
    size_t length = 0;
    constexpr size_t kLimit = std::min<uint64_t>(UINT32_MAX, PTRDIFF_MAX - 1);
    const size_t reported = size_t(std::clamp<off_t>(info.st_size, 0, off_t(kLimit)));
    if (!readToEnd(file.fd, reported, kLimit, block, length)) return false;
    *buffer = block.bytes;
    *size = uint32_t(length);
    block.bytes = nullptr;
    return true;
}
