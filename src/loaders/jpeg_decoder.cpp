// The marker loop and the header segments: frame, Huffman and quantisation
// tables, restart interval and scan header.
#include "loaders/jpeg_decoder.h"

#include <algorithm>
#include <new>

namespace zorblit {
namespace {

using Error = TNanoJpegErrorCodes;

uint32_t bigEndian16(const uint8_t *p) { return uint32_t(p[0]) << 8 | p[1]; }

bool isPowerOfTwo(int value) { return (value & (value - 1)) == 0; }

int divideRoundingUp(uint64_t value, uint64_t divisor) { return int((value + divisor - 1) / divisor); }

}  // namespace

bool TNanoJpegDecoder::decode(const uint8_t *data, uint32_t size) {
    pos_ = data;
    left_ = size;
    if (left_ < 2 || pos_[0] != 0xFF || pos_[1] != 0xD8) return fail(Error::NotAJpeg);
    pos_ += 2;
    left_ -= 2;
    while (error_ == Error::OK) {
        if (left_ < 2 || pos_[0] != 0xFF) {
            fail(Error::SyntaxError);
            break;
        }
        const uint8_t marker = pos_[1];
        pos_ += 2;
        left_ -= 2;
        Segment segment;
        if (marker == 0xC0) {
            readSegment(segment) && readFrame(segment);
        } else if (marker == 0xC4) {
            readSegment(segment) && readHuffmanTables(segment);
        } else if (marker == 0xDB) {
            readSegment(segment) && readQuantTables(segment);
        } else if (marker == 0xDD) {
            readSegment(segment) && readRestartInterval(segment);
        } else if (marker == 0xDA) {
            readSegment(segment) && readScanHeader(segment) && allocatePlanes() && decodeScan();
        } else if (marker == 0xFE || (marker >= 0xE0 && marker <= 0xEF)) {
            readSegment(segment);  // comments and application data
        } else if (marker >= 0xC1 && marker <= 0xCF) {
            fail(Error::Unsupported);  // other frame types and arithmetic coding
        } else {
            fail(Error::SyntaxError);
        }
    }
    return error_ == Error::Internal_Finished;
}

bool TNanoJpegDecoder::readSegment(Segment &segment) {
    if (left_ < 2) return fail(Error::SyntaxError);
    const size_t length = bigEndian16(pos_);
    if (length < 2 || length > left_) return fail(Error::SyntaxError);
    segment = {pos_ + 2, length - 2};
    pos_ += length;
    left_ -= length;
    return true;
}

bool TNanoJpegDecoder::readFrame(Segment segment) {
    const uint8_t *d = segment.data;
    if (segment.size < 9) return fail(Error::SyntaxError);
    if (d[0] != 8) return fail(Error::Unsupported);
    height_ = bigEndian16(d + 1);
    width_ = bigEndian16(d + 3);
    const size_t count = d[5];
    if (count != 1 && count != 3) return fail(Error::Unsupported);
    if (segment.size < 6 + 3 * count) return fail(Error::SyntaxError);
    if (width_ == 0) return fail(Error::SyntaxError);
    if (height_ == 0) return fail(Error::Unsupported);  // the height would follow the scan

    components_.clear();
    components_.resize(count);
    maxSamplingX_ = maxSamplingY_ = 1;
    for (size_t i = 0; i < count; ++i) {
        TNanoJpegComponent &c = components_[i];
        const uint8_t *field = d + 6 + 3 * i;
        c.id = field[0];
        c.samplingX = field[1] >> 4;
        c.samplingY = field[1] & 15;
        if (c.samplingX == 0 || c.samplingY == 0) return fail(Error::SyntaxError);
        if (!isPowerOfTwo(c.samplingX) || !isPowerOfTwo(c.samplingY)) return fail(Error::Unsupported);
        if (field[2] & 0xFC) return fail(Error::SyntaxError);
        c.quantTable = field[2];
        maxSamplingX_ = std::max(maxSamplingX_, c.samplingX);
        maxSamplingY_ = std::max(maxSamplingY_, c.samplingY);
    }
    mcuWidth_ = 8 * maxSamplingX_;
    mcuHeight_ = 8 * maxSamplingY_;
    mcusAcross_ = divideRoundingUp(width_, mcuWidth_);
    mcusDown_ = divideRoundingUp(height_, mcuHeight_);
    for (TNanoJpegComponent &c : components_) {
        c.width = divideRoundingUp(uint64_t(width_) * c.samplingX, maxSamplingX_);
        c.height = divideRoundingUp(uint64_t(height_) * c.samplingY, maxSamplingY_);
        c.stride = size_t(mcusAcross_) * 8 * c.samplingX;
        if ((c.width < 3 && c.samplingX != maxSamplingX_) || (c.height < 3 && c.samplingY != maxSamplingY_))
            return fail(Error::Unsupported);
    }
    return true;
}

bool TNanoJpegDecoder::readHuffmanTables(Segment segment) {
    const uint8_t *d = segment.data;
    size_t left = segment.size;
    while (left >= 17) {
        const uint8_t classAndId = d[0];
        if (classAndId & 0xEC) return fail(Error::SyntaxError);
        if (classAndId & 0x02) return fail(Error::Unsupported);
        const int index = (classAndId >> 4) * 2 + (classAndId & 1);
        const uint8_t *counts = d + 1;
        size_t symbolCount = 0;
        for (int i = 0; i < 16; ++i) symbolCount += counts[i];
        d += 17;
        left -= 17;
        if (symbolCount > left || !huffmanTables_[index].build(counts, d)) return fail(Error::SyntaxError);
        huffmanTablesDefined_ |= 1u << index;
        d += symbolCount;
        left -= symbolCount;
    }
    return left == 0 || fail(Error::SyntaxError);
}

bool TNanoJpegDecoder::readQuantTables(Segment segment) {
    const uint8_t *d = segment.data;
    size_t left = segment.size;
    for (; left >= 65; d += 65, left -= 65) {
        if (d[0] & 0xFC) return fail(Error::SyntaxError);
        std::copy_n(d + 1, 64, quantTables_[d[0]].begin());
        quantTablesDefined_ |= 1u << d[0];
    }
    return left == 0 || fail(Error::SyntaxError);
}

bool TNanoJpegDecoder::readRestartInterval(Segment segment) {
    if (segment.size < 2) return fail(Error::SyntaxError);
    restartInterval_ = bigEndian16(segment.data);
    return true;
}

bool TNanoJpegDecoder::readScanHeader(Segment segment) {
    const size_t count = components_.size();
    if (count == 0) return fail(Error::SyntaxError);  // no frame header yet
    const uint8_t *d = segment.data;
    if (segment.size < 4 + 2 * count) return fail(Error::SyntaxError);
    if (d[0] != count) return fail(Error::Unsupported);  // one component per scan
    for (size_t i = 0; i < count; ++i) {
        TNanoJpegComponent &c = components_[i];
        const uint8_t *field = d + 1 + 2 * i;
        if (field[0] != c.id || (field[1] & 0xEE)) return fail(Error::SyntaxError);
        c.dcTable = field[1] >> 4;
        c.acTable = 2 + (field[1] & 1);
        const bool tablesThere = (quantTablesDefined_ >> c.quantTable & 1) && (huffmanTablesDefined_ >> c.dcTable & 1) &&
                                 (huffmanTablesDefined_ >> c.acTable & 1);
        if (!tablesThere) return fail(Error::SyntaxError);
    }
    const uint8_t *spectral = d + 1 + 2 * count;
    if (spectral[0] != 0 || spectral[1] != 63 || spectral[2] != 0) return fail(Error::Unsupported);
    return true;
}

bool TNanoJpegDecoder::allocatePlanes() {
    uint64_t blocks = 0;
    for (const TNanoJpegComponent &c : components_)
        blocks += uint64_t(mcusAcross_) * c.samplingX * mcusDown_ * c.samplingY;
    // Every block takes at least two bits (a DC code and an end-of-block code), so
    // the data left bounds the picture before anything is allocated.
    if (blocks > uint64_t(left_) * 4) return fail(Error::SyntaxError);
    for (TNanoJpegComponent &c : components_) {
        c.plane.reset(new (std::nothrow) uint8_t[c.stride * mcusDown_ * 8 * c.samplingY]);
        if (!c.plane) return fail(Error::OutOfMemory);
    }
    return true;
}

}  // namespace zorblit
