// Whole-file reading and the existence test.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "zorblit.h"

bool FileExists(const char *name) {
    struct stat info;
    return name && stat(name, &info) == 0 && S_ISREG(info.st_mode);
}

bool LoadFileToMemory(const char *name, uint8_t **buffer, uint32_t *size) {
    if (!FileExists(name)) return false;
    std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(name, "rb"), std::fclose);
    if (!file) return false;
    struct stat info;
    // The size travels as an unsigned 32-bit count: larger files are refused.
    if (fstat(fileno(file.get()), &info) != 0 || info.st_size < 0 || uint64_t(info.st_size) > UINT32_MAX)
        return false;
    const uint32_t length = uint32_t(info.st_size);
    uint8_t *block = static_cast<uint8_t *>(std::malloc(length ? length : 1));
    if (!block) return false;
    const size_t got = std::fread(block, 1, length, file.get());
    if (got != length || std::ferror(file.get())) {
        std::free(block);
        *buffer = nullptr;
        *size = 0;
        return false;
    }
    *buffer = block;
    *size = length;
    return true;
}
