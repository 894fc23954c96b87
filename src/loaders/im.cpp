// IM files: a count N of palette entries, 16-bit width and height, N entries of
// 6-bit red, green, blue, then the pixels top row first: one palette index each
// (N > 0) or red, green, blue bytes (N = 0). Every pixel gets alpha 128.
#include "loaders/im.h"

#include <array>

#include "core/image_math.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

constexpr uint8_t kAlpha = 128;

// Slot 0 and the slots after the N stored entries are black; stored values are
// scaled by 4 (modulo 256, as the format has always done).
bool readPalette(ByteCursor &cursor, uint8_t count, std::array<uint32_t, 256> &palette) {
    const uint8_t *entries;
    if (!cursor.take(size_t(count) * 3, entries)) return false;
    palette.fill(packRGBA(0, 0, 0, kAlpha));
    for (unsigned slot = 1; slot <= count; ++slot, entries += 3)
        palette[slot] = packRGBA(uint8_t(entries[0] * 4), uint8_t(entries[1] * 4), uint8_t(entries[2] * 4), kAlpha);
    return true;
}

}  // namespace

bool imDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    ByteCursor cursor(data, size);
    uint8_t paletteCount;
    uint16_t width, height;
    if (!cursor.u8(paletteCount) || !cursor.u16(width) || !cursor.u16(height)) return refuseAt("IM file ends early", size);
    if (width == 0 || height == 0) return refuse("image of zero width or height");
    std::array<uint32_t, 256> palette;
    if (paletteCount > 0 && !readPalette(cursor, paletteCount, palette)) return refuseAt("IM file ends early", size);

    const size_t pixelCount = size_t(width) * height;
    const size_t bytesPerPixel = paletteCount > 0 ? 1 : 3;
    const uint8_t *source;
    if (!cursor.take(pixelCount * bytesPerPixel, source)) return refuseAt("IM file ends early", size);

    PendingImage result(width, height);

    if (!result.allocated()) return refuse("out of memory");
    uint32_t *target = result.row(0);
    for (size_t i = 0; i < pixelCount; ++i, source += bytesPerPixel)
        target[i] = paletteCount > 0 ? palette[source[0]] : packRGBA(source[0], source[1], source[2], kAlpha);
    return result.handOver(image);
}

}  // namespace zorblit

bool imLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::imDecode); }
