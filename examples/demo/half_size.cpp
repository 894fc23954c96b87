#include "half_size.h"

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

}  // namespace demo
