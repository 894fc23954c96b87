// PNG decoding: chunks, then inflate into exactly the bytes the header calls
// for, then per pass and row: undo the filter in place and expand to pixels.
#include "loaders/png.h"

#include <algorithm>
#include <vector>

#include "loaders/inflate.h"
#include "loaders/png_chunks.h"
#include "loaders/png_filters.h"
#include "loaders/png_pixels.h"
#include "loaders/reader.h"

namespace zorblit {
namespace {

using namespace png;

// The IDAT data as one block: the chunk's own bytes when there is one chunk.
const uint8_t *joinCompressed(const Contents &contents, std::vector<uint8_t> &joined) {
    if (contents.compressed.size() == 1) return contents.compressed[0].first;
    joined.reserve(contents.compressed.size());
    for (const auto &[data, size] : contents.compressed) joined.insert(joined.end(), data, data + size);
    return joined.data();
}

// Reconstructs every pass of filtered into the image.
void rebuild(const Contents &contents, const PassList &passes, uint8_t *filtered, PendingImage &image) {
    const Header &h = contents.header;
    const PixelSource source = pixelSourceOf(contents);
    const RowExpander expand = rowExpanderFor(h, source);
    const unsigned step = h.filterStep();
    size_t widestRow = 0;
    for (const Pass &pass : passes) widestRow = std::max(widestRow, pass.rowBytes);
    const std::vector<uint8_t> zeroRow(widestRow, 0);
    std::vector<uint32_t> passRow(h.interlaced ? h.width : 0);
    for (const Pass &pass : passes) {
        if (pass.empty()) continue;
        const uint8_t *above = zeroRow.data();
        for (uint32_t y = 0; y < pass.rows; ++y) {
            uint8_t *row = filtered + 1;
            unfilterRow(filtered[0], row, above, pass.rowBytes, step);
            if (!h.interlaced) {
                expand(row, pass.columns, image.row(y), source);
            } else {
                expand(row, pass.columns, passRow.data(), source);
                uint32_t *dest = image.row(pass.y0 + y * pass.dy) + pass.x0;
                for (uint32_t x = 0; x < pass.columns; ++x) dest[size_t(x) * pass.dx] = passRow[x];
            }
            above = row;
            filtered += pass.rowBytes + 1;
        }
    }
}

}  // namespace

bool pngDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    Contents contents;
    if (!readChunks(data, size, contents)) return false;
    const PassList passes = passesOf(contents.header);
    const uint64_t needed = filteredSize(passes);
    if (needed > SIZE_MAX) return false;

    std::vector<uint8_t> joined;
    const uint8_t *compressed = joinCompressed(contents, joined);
    InflatedBytes filtered;
    const DeflateFraming framing = contents.cgbi ? DeflateFraming::raw : DeflateFraming::zlib;
    if (!inflate(compressed, contents.compressedSize, framing, size_t(needed), filtered) || filtered.size != needed)
        return false;

    PendingImage result(contents.header.width, contents.header.height);
    rebuild(contents, passes, filtered.data.get(), result);
    if (contents.cgbi) undoCgbi(result.row(0), size_t(contents.header.width) * contents.header.height, contents);
    return result.handOver(image);
}

}  // namespace zorblit

bool pngLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) { return zorblit::pngDecode(image, data, size); }

bool pngLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::pngDecode); }
