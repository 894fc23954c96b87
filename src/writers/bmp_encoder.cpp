// Windows bitmap: 24-bit rows with the plain 40-byte header, or 32-bit rows
// with the 108-byte header whose masks name the alpha byte.
#include "writers/image_encoders.h"

namespace zorblit {
namespace {

constexpr uint32_t kInfoSize = 40, kMaskedInfoSize = 108, kFileHeaderSize = 14;
constexpr uint32_t kPlain = 0, kBitfields = 3;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr uint32_t kSrgb = 0x73524742;      // 'sRGB'

}  // namespace

bool encodeBmp(GFXimage image, bool keepAlpha, std::vector<uint8_t> &file) {
    if (!image.data || image.width == 0 || image.height == 0 || image.width > 0x7FFFFFFF ||
        image.height > 0x7FFFFFFF)
        return false;
    const uint32_t bytesPerPixel = keepAlpha ? 4 : 3, infoSize = keepAlpha ? kMaskedInfoSize : kInfoSize;
    const uint64_t stride = (uint64_t(image.width) * bytesPerPixel + 3) / 4 * 4;
    const uint64_t pixelBytes = stride * image.height, offset = kFileHeaderSize + infoSize;
    if (offset + pixelBytes > 0xFFFFFFFF) return false;  // sizes are 32-bit fields

    file.clear();
    file.reserve(size_t(offset + pixelBytes));
    file.insert(file.end(), {'B', 'M'});
    appendLittle(file, uint32_t(offset + pixelBytes), 4);
    appendLittle(file, 0, 4);
    appendLittle(file, uint32_t(offset), 4);
    appendLittle(file, infoSize, 4);
    appendLittle(file, image.width, 4);
    appendLittle(file, image.height, 4);  // positive: bottom row first
    appendLittle(file, 1, 2);
    appendLittle(file, bytesPerPixel * 8, 2);
    appendLittle(file, keepAlpha ? kBitfields : kPlain, 4);
    appendLittle(file, uint32_t(pixelBytes), 4);
    appendLittle(file, kPixelsPerMetre, 4);
    appendLittle(file, kPixelsPerMetre, 4);
    appendLittle(file, 0, 4);
    appendLittle(file, 0, 4);
    if (keepAlpha) {
        for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) appendLittle(file, mask, 4);
        appendLittle(file, kSrgb, 4);
        file.resize(file.size() + 36 + 12);  // end points and gammas, unused for sRGB
    }
    for (uint32_t y = image.height; y-- > 0;) {
        const uint32_t *row = image.data + size_t(y) * image.width;
        for (uint32_t x = 0; x < image.width; ++x) appendLittle(file, row[x], bytesPerPixel);
        file.resize(file.size() + size_t(stride - uint64_t(image.width) * bytesPerPixel));
    }
    return true;
}

}  // namespace zorblit
