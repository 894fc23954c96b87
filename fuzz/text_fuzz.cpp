// libFuzzer target: text from arbitrary bytes, drawn clipped at a position and
// under a clip rectangle taken from the first bytes, in both forms and both
// fonts; every pixel drawn must lie inside the form's limit.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "text/draw_text.h"

namespace {

int32_t take(const uint8_t *&data, size_t &size) {
    int32_t value = 0;
    if (size >= 4) {
        std::memcpy(&value, data, 4);
        data += 4, size -= 4;
    }
    return value;
}

template <class Form>
void drawChecked(const char *text, int32_t x, int32_t y, const zorblit::text::Font &font) {
    std::vector<uint32_t> pixels(24 * 20, 0);
    const GFXimage image{pixels.data(), 24, 20};
    const zorblit::Area limit = zorblit::draw::drawLimit<Form>(image, zorblit::ClippedWrite::Pixel);
    zorblit::text::drawText(image, x, y, text, 1, font, limit);
    for (uint32_t py = 0; py < image.height; ++py)
        for (uint32_t px = 0; px < image.width; ++px)
            if (pixels[py * image.width + px] != 0 && !limit.contains(px, py)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Even values are brought near the image; odd ones may lie anywhere.
    const auto position = [](int32_t v) { return v & 1 ? v : v >> 20; };
    const int32_t x = position(take(data, size)), y = position(take(data, size));
    const int32_t clip = take(data, size);
    setClipRectangle(int8_t(clip) / 4, int8_t(clip >> 8) / 4, int8_t(clip >> 16) / 4 + 24, int8_t(clip >> 24) / 4 + 20);
    // The text ends exactly at its NUL, so a read past it is caught.
    auto text = std::make_unique<char[]>(size + 1);
    std::memcpy(text.get(), data, size);
    text[size] = '\0';
    for (const zorblit::text::Font font : {zorblit::text::Font{&zorblit::text::kFont8x8Rows[0][0], 8},
                                           zorblit::text::Font{&zorblit::text::kFont8x16Rows[0][0], 16}}) {
        drawChecked<zorblit::Portable>(text.get(), x, y, font);
        drawChecked<zorblit::Packed>(text.get(), x, y, font);
    }
    uint32_t width, height;
    GetTextSize(text.get(), &width, &height);
    return 0;
}
