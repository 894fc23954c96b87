#include "picture_file.h"

#include <vector>

#include <png.h>

namespace demo {

void shrinkToHalf(GFXimage source, GFXimage target) {
    for (uint32_t y = 0; y < target.height; ++y)
        for (uint32_t x = 0; x < target.width; ++x) {
            unsigned r = 0, g = 0, b = 0;
            for (uint32_t dy = 0; dy < 2; ++dy)
                for (uint32_t dx = 0; dx < 2; ++dx) {
                    const GFXcolor c = getPixel(source, 2 * x + dx, 2 * y + dy);
                    r += getRed(c), g += getGreen(c), b += getBlue(c);
                }
            putPixel(target, x, y, RGBA(uint8_t((r + 2) / 4), uint8_t((g + 2) / 4), uint8_t((b + 2) / 4), 255));
        }
}

bool writePng(const char *path, GFXimage image) {
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(image.width) * image.height * 3);
    for (size_t i = 0; i < size_t(image.width) * image.height; ++i) {
        const GFXcolor c = image.data[i];
        rgb.insert(rgb.end(), {getRed(c), getGreen(c), getBlue(c)});
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path, 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace demo
