// PNG: the filtered rows compressed as one zlib stream, in IDAT chunks after
// the header.
#include <cstring>

#include "loaders/checksum.h"
#include "writers/image_encoders.h"
#include "writers/png_row_filters.h"

namespace zorblit {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kChunkLimit = size_t(1) << 30;  // the format's limit is 2^31 - 1
constexpr uint32_t kDimensionLimit = 0x7FFFFFFF;

// Appends a chunk whose data are the last size bytes already in file, after
// room left for the length and type.
void closeChunk(std::vector<uint8_t> &file, size_t start, const char *type) {
    const size_t size = file.size() - start - 8;
    for (int i = 0; i < 4; ++i) {
        file[start + i] = uint8_t(size >> (24 - 8 * i));
        file[start + 4 + i] = uint8_t(type[i]);
    }
    appendBig32(file, updateCrc32(0, file.data() + start + 4, size + 4));
}

void appendChunk(std::vector<uint8_t> &file, const char *type, const uint8_t *data, size_t size) {
    const size_t start = file.size();
    file.resize(start + 8);
    file.insert(file.end(), data, data + size);
    closeChunk(file, start, type);
}

// Every row, its filter byte first.
std::vector<uint8_t> filteredRows(GFXimage image, bool keepAlpha, DeflateLevel level) {
    const unsigned bpp = keepAlpha ? 4 : 3;
    const size_t rowBytes = size_t(image.width) * bpp;
    std::vector<uint8_t> filtered(image.height * (rowBytes + 1));
    std::vector<uint8_t> rows(2 * rowBytes);
    RowFilterChooser chooser(rowBytes, bpp);
    for (uint32_t y = 0; y < image.height; ++y) {
        uint8_t *row = rows.data() + (y % 2) * rowBytes, *out = filtered.data() + y * (rowBytes + 1);
        const uint8_t *above = y ? rows.data() + (1 - y % 2) * rowBytes : nullptr;
        pixelBytes(image.data + size_t(y) * image.width, image.width, keepAlpha, row);
        if (level == DeflateLevel::stored) {
            out[0] = 0;  // no filter: nothing would compress the residuals
            std::memcpy(out + 1, row, rowBytes);
        } else {
            chooser.filter(row, above, out);
        }
    }
    return filtered;
}

}  // namespace

bool encodePng(GFXimage image, bool keepAlpha, DeflateLevel level, std::vector<uint8_t> &file) {
    if (!image.data || image.width == 0 || image.height == 0 || image.width > kDimensionLimit ||
        image.height > kDimensionLimit)
        return false;
    file.assign(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    appendBig32(header, image.width);
    appendBig32(header, image.height);
    header.insert(header.end(), {8, uint8_t(keepAlpha ? 6 : 2), 0, 0, 0});
    appendChunk(file, "IHDR", header.data(), header.size());

    const std::vector<uint8_t> filtered = filteredRows(image, keepAlpha, level);
    const size_t start = file.size();
    file.resize(start + 8);
    deflate(filtered.data(), filtered.size(), level, DeflateFraming::zlib, file);
    if (file.size() - start - 8 <= kChunkLimit) {
        closeChunk(file, start, "IDAT");
    } else {
        const std::vector<uint8_t> stream(file.begin() + ptrdiff_t(start) + 8, file.end());
        file.resize(start);
        for (size_t at = 0; at < stream.size(); at += kChunkLimit)
            appendChunk(file, "IDAT", stream.data() + at, std::min(kChunkLimit, stream.size() - at));
    }
    appendChunk(file, "IEND", nullptr, 0);
    return true;
}

}  // namespace zorblit
