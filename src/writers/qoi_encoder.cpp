// QOI: each pixel as a run of the previous one, an index into the 64 recently
// seen colours, a small difference from the previous pixel, or in full.
#include <array>

#include "writers/image_encoders.h"

namespace zorblit {
namespace {

enum : uint8_t { kIndex = 0x00, kDiff = 0x40, kLuma = 0x80, kRun = 0xC0, kRgb = 0xFE, kRgba = 0xFF };
constexpr unsigned kLongestRun = 62;

unsigned slotOf(uint32_t c) {
    return ((c >> 16 & 0xFF) * 3 + (c >> 8 & 0xFF) * 5 + (c & 0xFF) * 7 + (c >> 24) * 11) % 64;
}

// Differences wrap around, as the decoder adds them modulo 256.
int difference(uint32_t c, uint32_t previous, int shift) { return int8_t(uint8_t((c >> shift) - (previous >> shift))); }

void appendPixel(std::vector<uint8_t> &file, uint32_t c, uint32_t previous) {
    if ((c ^ previous) >> 24) {
        file.insert(file.end(), {kRgba, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)});
        return;
    }
    const int dr = difference(c, previous, 16), dg = difference(c, previous, 8), db = difference(c, previous, 0);
    if (dr >= -2 && dr <= 1 && dg >= -2 && dg <= 1 && db >= -2 && db <= 1) {
        file.push_back(uint8_t(kDiff | (dr + 2) << 4 | (dg + 2) << 2 | (db + 2)));
    } else if (dg >= -32 && dg <= 31 && dr - dg >= -8 && dr - dg <= 7 && db - dg >= -8 && db - dg <= 7) {
        file.insert(file.end(), {uint8_t(kLuma | (dg + 32)), uint8_t((dr - dg + 8) << 4 | (db - dg + 8))});
    } else {
        file.insert(file.end(), {kRgb, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
}

}  // namespace

bool encodeQoi(GFXimage image, bool keepAlpha, std::vector<uint8_t> &file) {
    if (!image.data || image.width == 0 || image.height == 0) return false;
    file.assign({'q', 'o', 'i', 'f'});
    appendBig32(file, image.width);
    appendBig32(file, image.height);
    file.insert(file.end(), {uint8_t(keepAlpha ? 4 : 3), 0});

    std::array<uint32_t, 64> seen{};
    uint32_t previous = 0xFF000000;
    unsigned run = 0;
    const size_t count = size_t(image.width) * image.height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t c = keepAlpha ? image.data[i] : image.data[i] | 0xFF000000;
        if (c == previous) {
            if (++run == kLongestRun) file.push_back(uint8_t(kRun | (run - 1))), run = 0;
            continue;
        }
        if (run) file.push_back(uint8_t(kRun | (run - 1))), run = 0;
        const unsigned slot = slotOf(c);
        if (seen[slot] == c) {
            file.push_back(uint8_t(kIndex | slot));
        } else {
            seen[slot] = c;
            appendPixel(file, c, previous);
        }
        previous = c;
    }
    if (run) file.push_back(uint8_t(kRun | (run - 1)));
    file.insert(file.end(), {0, 0, 0, 0, 0, 0, 0, 1});
    return true;
}

}  // namespace zorblit
