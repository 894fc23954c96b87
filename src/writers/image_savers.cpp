// The exported writers: encode in memory, then hand the block to the caller or
// replace the file with it. Nothing thrown (out of memory) leaves a writer.
#include <cstdlib>
#include <cstring>

#include "writers/file_output.h"
#include "writers/image_encoders.h"

int32_t pngSaveLevel = 2;

namespace zorblit {
namespace {

using Encoder = bool (*)(GFXimage, bool, std::vector<uint8_t> &);

DeflateLevel chosenLevel() {
    const int32_t level = pngSaveLevel;
    return level <= 0 ? DeflateLevel::stored : level == 1 ? DeflateLevel::fast : DeflateLevel::normal;
}

bool encodePngAtLevel(GFXimage image, bool keepAlpha, std::vector<uint8_t> &file) {
    return encodePng(image, keepAlpha, chosenLevel(), file);
}

bool saveFile(Encoder encode, GFXimage image, bool keepAlpha, const char *name) {
    try {
        std::vector<uint8_t> file;
        return encode(image, keepAlpha, file) && replaceFile(name, file.data(), file.size());
    } catch (...) {
        return false;
    }
}

}  // namespace
}  // namespace zorblit

using zorblit::saveFile;

bool pngSave(GFXimage image, const char *name) { return saveFile(zorblit::encodePngAtLevel, image, false, name); }
bool pngSaveAlpha(GFXimage image, const char *name) { return saveFile(zorblit::encodePngAtLevel, image, true, name); }
bool bmpSave(GFXimage image, const char *name) { return saveFile(zorblit::encodeBmp, image, false, name); }
bool bmpSaveAlpha(GFXimage image, const char *name) { return saveFile(zorblit::encodeBmp, image, true, name); }
bool qoiSave(GFXimage image, const char *name) { return saveFile(zorblit::encodeQoi, image, false, name); }
bool qoiSaveAlpha(GFXimage image, const char *name) { return saveFile(zorblit::encodeQoi, image, true, name); }

bool pngSaveMem(GFXimage image, bool keepAlpha, uint8_t **data, size_t *size) {
    if (!data || !size) return false;
    try {
        std::vector<uint8_t> file;
        if (!zorblit::encodePngAtLevel(image, keepAlpha, file)) return false;
        auto *block = static_cast<uint8_t *>(std::malloc(file.size()));
        if (!block) return false;
        std::memcpy(block, file.data(), file.size());
        *data = block;
        *size = file.size();
        return true;
    } catch (...) {
        return false;
    }
}

void FreeMemory(void *block) { std::free(block); }
