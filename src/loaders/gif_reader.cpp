// Blocks: 0x21 extensions (a graphic control block gives the next image's
// transparency, disposal and delay; the rest are skipped), 0x2C images, 0x3B the
// trailer. Data comes in sub-blocks of up to 255 bytes ended by an empty one.
#include "loaders/gif_reader.h"

#include <algorithm>
#include <cstring>

#include "core/image_math.h"
#include "loaders/gif_lzw.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

constexpr uint8_t kExtension = 0x21, kImage = 0x2C, kTrailer = 0x3B, kGraphicControl = 0xF9;
constexpr uint32_t kOpaqueBlack = 0xFF000000;
// Pixels one byte of LZW data can give at most: 4096 per code of 3 bits or more.
constexpr uint64_t kMaxPixelsPerByte = 4096 * 8 / 3 + 1;
// The screen may not outgrow the file by more than this many pixels per byte:
// anything larger is mostly empty canvas.
constexpr uint64_t kMaxScreenPixelsPerByte = 16384;

bool readColourTable(ByteCursor &cursor, uint8_t flags, std::array<uint32_t, 256> &palette) {
    palette.fill(kOpaqueBlack);
    const unsigned entries = 2u << (flags & 7);
    const uint8_t *rgb;
    if (!cursor.take(entries * 3, rgb)) return false;
    for (unsigned i = 0; i < entries; ++i, rgb += 3) palette[i] = packRGBA(rgb[0], rgb[1], rgb[2], 255);
    return true;
}

// The picture row of the n-th stored row of an interlaced image of the given height.
uint32_t interlacedRow(uint32_t n, uint32_t height) {
    static constexpr uint32_t first[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (unsigned pass = 0; pass < 4; ++pass) {
        const uint32_t rows = height > first[pass] ? (height - first[pass] + step[pass] - 1) / step[pass] : 0;
        if (n < rows) return first[pass] + n * step[pass];
        n -= rows;
    }
    return height;  // not reached for n < height
}

}  // namespace

bool GifReader::readScreen() {
    const uint8_t *signature;
    if (!cursor_.take(6, signature) ||
        (std::memcmp(signature, "GIF87a", 6) != 0 && std::memcmp(signature, "GIF89a", 6) != 0))
        return refuse("not a GIF file");
    uint16_t width, height;
    uint8_t flags, background, aspect;
    if (!cursor_.u16(width) || !cursor_.u16(height) || !cursor_.u8(flags) || !cursor_.u8(background) ||
        !cursor_.u8(aspect))
        return refuseAt("GIF header ends early", size_);
    if (!withinImageLimits(width, height)) return false;
    if (uint64_t(width) * height > uint64_t(size_) * kMaxScreenPixelsPerByte)
        return refuse("GIF screen too large for its data");
    width_ = width;
    height_ = height;
    hasGlobalPalette_ = flags & 0x80;
    if (hasGlobalPalette_ && !readColourTable(cursor_, flags, globalPalette_))
        return refuseAt("GIF colour table runs past the end", size_);
    return true;
}

bool GifReader::skipSubBlocks() {
    for (;;) {
        uint8_t length;
        if (!cursor_.u8(length) || !cursor_.skip(length)) return refuseAt("GIF data ends early", size_);
        if (length == 0) return true;
    }
}

bool GifReader::joinSubBlocks(std::vector<uint8_t> &joined) {
    joined.clear();
    for (;;) {
        uint8_t length;
        const uint8_t *bytes;
        if (!cursor_.u8(length) || !cursor_.take(length, bytes)) return refuseAt("GIF image data ends early", size_);
        if (length == 0) break;
        joined.insert(joined.end(), bytes, bytes + length);
    }
    joined.resize(joined.size() + kLzwInputPadding, 0);
    return true;
}

bool GifReader::readGraphicControl(GifFrame &frame) {
    uint8_t length, flags, index;
    uint16_t delay;
    const size_t at = cursor_.position();
    if (!cursor_.u8(length)) return refuseAt("GIF data ends early", size_);
    if (length < 4) return refuseAt("damaged GIF graphic control block", at);
    if (!cursor_.u8(flags) || !cursor_.u16(delay) || !cursor_.u8(index) || !cursor_.skip(length - 4u))
        return refuseAt("GIF data ends early", size_);
    const unsigned disposal = (flags >> 2) & 7;
    frame.disposal = disposal == 2 ? GifDisposal::background : disposal == 3 ? GifDisposal::previous : GifDisposal::keep;
    frame.transparent = flags & 1 ? index : -1;
    frame.delayMs = delay * 10u;
    return skipSubBlocks();
}

bool GifReader::readImage(GifFrame &frame) {
    uint16_t left, top, width, height;
    uint8_t flags, minCodeSize;
    if (!cursor_.u16(left) || !cursor_.u16(top) || !cursor_.u16(width) || !cursor_.u16(height) || !cursor_.u8(flags))
        return refuseAt("GIF image header ends early", size_);
    frame.left = left, frame.top = top, frame.width = width, frame.height = height;
    frame.interlaced = flags & 0x40;
    if (flags & 0x80) {
        if (!readColourTable(cursor_, flags, frame.palette)) return refuseAt("GIF colour table runs past the end", size_);
    } else if (hasGlobalPalette_) {
        frame.palette = globalPalette_;
    } else {
        return refuse("GIF image without a colour table");
    }
    const size_t codeSizeAt = cursor_.position();
    if (!cursor_.u8(minCodeSize)) return refuseAt("GIF image data ends early", size_);
    if (minCodeSize < 1 || minCodeSize > 8) return refuseAt("bad GIF code size", codeSizeAt);

    std::vector<uint8_t> compressed;
    if (!joinSubBlocks(compressed)) return false;
    const uint64_t pixels = uint64_t(width) * height;
    if (pixels > (compressed.size() - kLzwInputPadding) * kMaxPixelsPerByte)
        return refuseAt("GIF image data too short for its size", codeSizeAt);
    if (pixels > (1u << 28)) return refuse("image too large");
    frame.indices.assign(size_t(pixels) + kLzwSlack, 0);
    switch (decodeLzw(compressed.data(), compressed.size() - kLzwInputPadding, minCodeSize, frame.indices.data(),
                      size_t(pixels))) {
    case LzwResult::complete: return true;
    case LzwResult::dataEnded: return refuseAt("GIF image data ends early", codeSizeAt);
    default: return refuseAt("bad GIF LZW code", codeSizeAt);
    }
}

bool GifReader::nextFrame(GifFrame &frame) {
    frame.disposal = GifDisposal::keep;
    frame.transparent = -1;
    frame.delayMs = 0;
    for (;;) {
        const size_t at = cursor_.position();
        uint8_t block;
        if (!cursor_.u8(block) || block == kTrailer) {
            finished_ = true;
            return false;
        }
        if (block == kImage) return readImage(frame);
        if (block != kExtension) return refuseAt("damaged GIF block", at);
        uint8_t label;
        if (!cursor_.u8(label)) return refuseAt("GIF data ends early", size_);
        if (!(label == kGraphicControl ? readGraphicControl(frame) : skipSubBlocks())) return false;
    }
}

void GifReader::draw(const GifFrame &frame, uint32_t *canvas) const {
    if (frame.left >= width_ || frame.top >= height_) return;
    const uint32_t columns = std::min(frame.width, width_ - frame.left);
    const int transparent = frame.transparent;
    for (uint32_t row = 0; row < frame.height; ++row) {
        const uint32_t y = frame.top + (frame.interlaced ? interlacedRow(row, frame.height) : row);
        if (y >= height_) continue;
        const uint8_t *source = frame.indices.data() + size_t(row) * frame.width;
        uint32_t *target = canvas + size_t(y) * width_ + frame.left;
        if (transparent < 0) {
            for (uint32_t x = 0; x < columns; ++x) target[x] = frame.palette[source[x]];
        } else {
            for (uint32_t x = 0; x < columns; ++x)
                if (source[x] != transparent) target[x] = frame.palette[source[x]];
        }
    }
}

}  // namespace zorblit
