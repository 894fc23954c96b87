// Replacing a file whole or not at all.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorblit {

// Writes the bytes to a new file beside name and renames it over name. On any
// failure (the folder cannot take a file, the disk fills, a write falls short,
// the rename fails) the new file is removed, name is left as it was, and the
// result is false.
bool replaceFile(const char *name, const uint8_t *data, size_t size);

}  // namespace zorblit
