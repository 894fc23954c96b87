// PNG decoding: chunks, then inflate into exactly the bytes the header calls
// for, undo the row filters in place, and expand the rows to pixels. Without
// interlacing the inflated block becomes the image itself, so a decode holds
// one picture-sized block at a time.
#include "loaders/png.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "kernels/png_unfilter.h"
#include "loaders/inflate.h"
#include "loaders/png_chunks.h"
#include "loaders/png_pixels.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

using namespace png;
using Block = std::unique_ptr<uint8_t[], FreeDeleter>;

bool resizeBlock(Block &block, size_t size) {
    auto *resized = static_cast<uint8_t *>(std::realloc(block.get(), size ? size : 1));
    if (!resized) return false;
    block.release();
    block.reset(resized);
    return true;
}

// Rows the size of the picture's width come from calloc, so that a picture too
// big for the memory left gives a plain false; null when none is left.
template <class Value>
std::unique_ptr<Value[], FreeDeleter> zeroedRow(size_t count) {
    return std::unique_ptr<Value[], FreeDeleter>(static_cast<Value *>(std::calloc(count ? count : 1, sizeof(Value))));
}

// Reconstructs the rows of every pass in place, each pass's first row against zeros.
bool unfilterPasses(const Header &h, const PassList &passes, uint8_t *filtered) {
    size_t widestRow = 0;
    for (const Pass &pass : passes) widestRow = std::max(widestRow, pass.rowBytes);
    const auto zeroRow = zeroedRow<uint8_t>(widestRow);
    if (!zeroRow) return false;
    for (const Pass &pass : passes) {
        if (pass.empty()) continue;
        const uint8_t *above = zeroRow.get();
        for (uint32_t y = 0; y < pass.rows; ++y, filtered += pass.rowBytes + 1) {
            kernels::unfilterRow(filtered[0], filtered + 1, above, pass.rowBytes, h.filterStep());
            above = filtered + 1;
        }
    }
    return true;
}

// Turns the block of reconstructed rows into the pixels, over the same bytes.
// Row y's pixels take the 4 * width bytes from 4 * width * y. When that is no
// more than a stored row (filter byte included), they end before row y + 1's
// data starts, so rows go top down; otherwise they start after row y - 1's data
// ends, so rows go bottom up. Rows whose pixels overlap their own data are
// expanded aside first: every row going down, only the first few going up
// (those with y * (4 * width - stored row) < stored row); the others straight
// into place.
bool expandInPlace(const Header &h, const Pass &pass, const PixelSource &source, Block &block, size_t filteredSize) {
    const RowExpander expand = rowExpanderFor(h, source);
    const size_t stride = pass.rowBytes + 1, pixelRow = size_t(h.width) * 4;
    const size_t imageSize = pixelRow * h.height;
    if (imageSize > filteredSize && !resizeBlock(block, imageSize)) return false;
    const auto pixels = zeroedRow<uint32_t>(h.width);
    if (!pixels) return false;
    const auto convertAside = [&](uint32_t y) {
        expand(block.get() + y * stride + 1, h.width, pixels.get(), source);
        std::memcpy(block.get() + y * pixelRow, pixels.get(), pixelRow);
    };
    if (pixelRow <= stride) {
        for (uint32_t y = 0; y < h.height; ++y) convertAside(y);
    } else {
        for (uint32_t y = h.height; y-- > 0;) {
            if (y * (pixelRow - stride) < stride) {
                convertAside(y);
                continue;
            }
            auto *out = reinterpret_cast<uint32_t *>(block.get() + y * pixelRow);
            expand(block.get() + y * stride + 1, h.width, out, source);
        }
    }
    return imageSize >= filteredSize || resizeBlock(block, imageSize);
}

// Places the pixels of every Adam7 pass into a new block.
bool expandInterlaced(const Header &h, const PassList &passes, const PixelSource &source, const uint8_t *filtered,
                      Block &image) {
    const RowExpander expand = rowExpanderFor(h, source);
    image.reset(static_cast<uint8_t *>(std::malloc(size_t(h.width) * h.height * 4)));
    if (!image) return false;
    auto *pixels = reinterpret_cast<uint32_t *>(image.get());
    const auto passRow = zeroedRow<uint32_t>(h.width);
    if (!passRow) return false;
    for (const Pass &pass : passes) {
        if (pass.empty()) continue;
        for (uint32_t y = 0; y < pass.rows; ++y, filtered += pass.rowBytes + 1) {
            expand(filtered + 1, pass.columns, passRow.get(), source);
            uint32_t *dest = pixels + size_t(pass.y0 + y * pass.dy) * h.width + pass.x0;
            for (uint32_t x = 0; x < pass.columns; ++x) dest[size_t(x) * pass.dx] = passRow[x];
        }
    }
    return true;
}

}  // namespace

bool pngDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    Contents contents;
    if (!readChunks(data, size, contents)) return false;
    const Header &h = contents.header;
    const PassList passes = passesOf(h);
    const uint64_t needed = filteredSize(passes);
    if (needed > SIZE_MAX) return refuse("image too large");

    InflatedBytes filtered;
    const DeflateFraming framing = contents.cgbi ? DeflateFraming::raw : DeflateFraming::zlib;
    if (!inflate(contents.compressed.data(), contents.compressed.size(), framing, size_t(needed), filtered) ||
        filtered.size != needed)
        return refuse("damaged PNG image data");

    if (!unfilterPasses(h, passes, filtered.data.get())) return false;
    const PixelSource source = pixelSourceOf(contents);
    Block pixels;
    if (h.interlaced) {
        if (!expandInterlaced(h, passes, source, filtered.data.get(), pixels)) return refuse("out of memory");
    } else {
        pixels = std::move(filtered.data);
        if (!expandInPlace(h, *passes.begin(), source, pixels, filtered.size)) return refuse("out of memory");
    }
    const size_t count = size_t(h.width) * h.height;
    if (contents.cgbi) undoCgbi(reinterpret_cast<uint32_t *>(pixels.get()), count, contents);
    // The block comes from malloc, as AllocImage's do, so FreeImage releases it.
    *image = GFXimage{reinterpret_cast<uint32_t *>(pixels.release()), h.width, h.height};
    return true;
}

}  // namespace zorblit

bool pngLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::readMemory(image, data, size, zorblit::pngDecode);
}

bool pngLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::pngDecode); }
