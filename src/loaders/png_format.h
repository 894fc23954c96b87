// The image header of a PNG file and the row layout that follows from it.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace zorblit::png {

enum ColourType : uint8_t { grey = 0, rgb = 2, palette = 3, greyAlpha = 4, rgba = 6 };

struct Header {
    uint32_t width = 0, height = 0;
    uint8_t bitDepth = 0;
    uint8_t colourType = 0;
    bool interlaced = false;

    // Samples per pixel as stored: a palette index counts as one.
    unsigned channels() const {
        switch (colourType) {
            case rgb: return 3;
            case greyAlpha: return 2;
            case rgba: return 4;
            default: return 1;
        }
    }
    unsigned bitsPerPixel() const { return channels() * bitDepth; }
    // The byte distance the filters look back: at least one.
    unsigned filterStep() const { return bitsPerPixel() < 8 ? 1 : bitsPerPixel() / 8; }
    bool hasAlphaChannel() const { return colourType == greyAlpha || colourType == rgba; }
};

// The combinations of colour type and bit depth that PNG allows.
inline bool allowedDepth(uint8_t colourType, uint8_t bitDepth) {
    switch (colourType) {
        case grey: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
        case palette: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
        case rgb:
        case greyAlpha:
        case rgba: return bitDepth == 8 || bitDepth == 16;
        default: return false;
    }
}

// One sub-image of the file: the whole image, or one of the seven Adam7 passes.
struct Pass {
    uint32_t x0, y0, dx, dy;
    uint32_t columns, rows;
    size_t rowBytes;  // without the filter-type byte
    bool empty() const { return columns == 0 || rows == 0; }
};

struct PassList {
    std::array<Pass, 7> items{};
    unsigned count = 0;
    const Pass *begin() const { return items.data(); }
    const Pass *end() const { return items.data() + count; }
};

inline PassList passesOf(const Header &h) {
    static constexpr uint32_t adam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static constexpr uint32_t whole[1][4] = {{0, 0, 1, 1}};
    PassList list;
    list.count = h.interlaced ? 7 : 1;
    for (unsigned i = 0; i < list.count; ++i) {
        const uint32_t *g = h.interlaced ? adam7[i] : whole[0];
        Pass &p = list.items[i];
        p = {g[0], g[1], g[2], g[3], 0, 0, 0};
        p.columns = h.width > p.x0 ? (h.width - p.x0 + p.dx - 1) / p.dx : 0;
        p.rows = h.height > p.y0 ? (h.height - p.y0 + p.dy - 1) / p.dy : 0;
        p.rowBytes = size_t((uint64_t(p.columns) * h.bitsPerPixel() + 7) / 8);
    }
    return list;
}

// Bytes of filtered image data the header calls for; empty passes hold none.
inline uint64_t filteredSize(const PassList &passes) {
    uint64_t total = 0;
    for (const Pass &p : passes)
        if (!p.empty()) total += uint64_t(p.rows) * (p.rowBytes + 1);
    return total;
}

}  // namespace zorblit::png
