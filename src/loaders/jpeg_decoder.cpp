// The marker loop and the header segments: frame, Huffman and quantisation
// tables, restart interval, application data and scan headers; where a scan's
// data ends; why a file is refused.
#include "loaders/jpeg_decoder.h"

#include <algorithm>
#include <cstring>

#include "loaders/refusal.h"

namespace zorblit {
namespace {

using Error = TNanoJpegErrorCodes;

uint32_t bigEndian16(const uint8_t *p) { return uint32_t(p[0]) << 8 | p[1]; }

int divideRoundingUp(uint64_t value, uint64_t divisor) { return int((value + divisor - 1) / divisor); }

// Progressive coefficients take two bytes a sample and an eighth of a byte for the
// masks; past this the picture is refused as too large (a 4:2:0 colour picture of
// about 330 million pixels).
constexpr uint64_t kMaxCoefficientBytes = uint64_t(1) << 30;

// Every progressive scan walks all blocks of its components however few bits it
// has (end-of-band runs skip up to 32767 blocks in a few bits), so the scans a
// file may have are limited; real files have about ten.
constexpr int kMaxProgressiveScans = 1000;

// Successive approximation shifts beyond this cannot hold 8-bit coefficients.
constexpr int kMaxApproximationBit = 13;

// The first byte of the marker after a scan's data: a 0xFF followed by neither a
// stuffed 0x00 nor a restart marker; end when there is none.
const uint8_t *markerAfterScanData(const uint8_t *p, const uint8_t *end) {
    while (p < end) {
        p = static_cast<const uint8_t *>(std::memchr(p, 0xFF, size_t(end - p)));
        if (!p || p + 1 == end) return end;
        const uint8_t next = p[1];
        if (next != 0x00 && (next < 0xD0 || next > 0xD7)) return p;
        p += 2;
    }
    return end;
}

}  // namespace

bool TNanoJpegDecoder::unsupported(const char *what) {
    error_ = Error::Unsupported;
    return refuse(what);
}

bool TNanoJpegDecoder::damaged(const char *what, const uint8_t *at) {
    error_ = Error::SyntaxError;
    return refuseAt(what, size_t(at - begin_));
}

bool TNanoJpegDecoder::outOfMemory() {
    error_ = Error::OutOfMemory;
    return refuse("out of memory");
}

bool TNanoJpegDecoder::decode(const uint8_t *data, uint32_t size) {
    begin_ = pos_ = data;
    left_ = size;
    if (left_ < 2 || pos_[0] != 0xFF || pos_[1] != 0xD8) {
        error_ = Error::NotAJpeg;
        return refuse("not a JPEG file");
    }
    pos_ += 2;
    left_ -= 2;
    while (error_ == Error::OK) readMarker();
    return error_ == Error::Internal_Finished;
}

bool TNanoJpegDecoder::readMarker() {
    if (left_ < 2) return damaged("JPEG data ends early", pos_ + left_);
    if (pos_[0] != 0xFF) return damaged("damaged JPEG marker", pos_);
    while (left_ > 2 && pos_[1] == 0xFF) {  // fill bytes before the marker
        ++pos_;
        --left_;
    }
    const uint8_t *at = pos_;
    const uint8_t marker = pos_[1];
    pos_ += 2;
    left_ -= 2;
    Segment segment;
    switch (marker) {
        case 0xC0:  // baseline
        case 0xC1:  // extended sequential
            return readSegment(segment) && readFrame(segment, false);
        case 0xC2:
            return readSegment(segment) && readFrame(segment, true);
        case 0xC4:
            return readSegment(segment) && readHuffmanTables(segment);
        case 0xDB:
            return readSegment(segment) && readQuantTables(segment);
        case 0xDD:
            return readSegment(segment) && readRestartInterval(segment);
        case 0xDA:
            return readSegment(segment) && readScanHeader(segment) && readScan();
        case 0xD9:  // a sequential picture is finished after its last scan
            return progressive_ ? finishProgressive() : damaged("JPEG data ends early", at);
        case 0xC3:
        case 0xC7:
        case 0xCB:
        case 0xCF:
            return unsupported("lossless JPEG is not supported");
        case 0xC9:
        case 0xCA:
        case 0xCC:
            return unsupported("arithmetic-coded JPEG is not supported");
        case 0xC5:
        case 0xC6:
        case 0xCD:
        case 0xCE:
        case 0xDE:
        case 0xDF:
            return unsupported("hierarchical JPEG is not supported");
        case 0xFE:  // comment
            return readSegment(segment);
        default:
            if (marker < 0xE0 || marker > 0xEF) return damaged("damaged JPEG marker", at);
            if (readSegment(segment)) readApplicationData(marker, segment);
            return error_ == Error::OK;
    }
}

bool TNanoJpegDecoder::readSegment(Segment &segment) {
    const size_t length = left_ < 2 ? 0 : bigEndian16(pos_);
    if (length < 2 || length > left_) return damaged("damaged JPEG segment length", pos_);
    segment = {pos_ + 2, length - 2};
    pos_ += length;
    left_ -= length;
    return true;
}

bool TNanoJpegDecoder::readFrame(Segment segment, bool progressive) {
    const uint8_t *d = segment.data;
    if (!components_.empty()) return damaged("second JPEG frame header", d);
    if (segment.size < 6) return damaged("damaged JPEG frame header", d);
    if (d[0] == 12) return unsupported("12-bit JPEG is not supported");
    if (d[0] != 8) return damaged("damaged JPEG frame header", d);
    height_ = bigEndian16(d + 1);
    width_ = bigEndian16(d + 3);
    const size_t count = d[5];
    if (count == 0 || segment.size < 6 + 3 * count || width_ == 0) return damaged("damaged JPEG frame header", d);
    if (count == 2 || count > 4) return unsupported("JPEG with 2 components or more than 4 is not supported");
    if (height_ == 0) return unsupported("JPEG height given after the scan is not supported");
    progressive_ = progressive;

    components_.resize(count);
    maxSamplingX_ = maxSamplingY_ = 1;
    for (size_t i = 0; i < count; ++i) {
        TNanoJpegComponent &c = components_[i];
        const uint8_t *field = d + 6 + 3 * i;
        c.id = field[0];
        c.samplingX = field[1] >> 4;
        c.samplingY = field[1] & 15;
        c.quantTable = field[2];
        const bool repeatedId = std::any_of(components_.begin(), components_.begin() + i,
                                            [&](const TNanoJpegComponent &o) { return o.id == c.id; });
        if (c.samplingX == 0 || c.samplingY == 0 || c.samplingX > 4 || c.samplingY > 4 || c.quantTable > 3 ||
            repeatedId)
            return damaged("damaged JPEG frame header", field);
        if (count == 1) c.samplingX = c.samplingY = 1;  // a lone component's scan has one block per MCU
        if (c.samplingX == 3 || c.samplingY == 3) return unsupported("JPEG sampling factor 3 is not supported");
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
        c.blocksAcross = divideRoundingUp(c.width, 8);
        c.blocksDown = divideRoundingUp(c.height, 8);
        c.stride = size_t(mcusAcross_) * 8 * c.samplingX;
    }
    return true;
}

bool TNanoJpegDecoder::readHuffmanTables(Segment segment) {
    const uint8_t *d = segment.data;
    size_t left = segment.size;
    while (left >= 17) {
        const uint8_t classAndId = d[0];
        if (classAndId & 0xEC) return damaged("damaged Huffman table", d);
        const int index = (classAndId >> 4) * 4 + (classAndId & 3);
        const uint8_t *counts = d + 1;
        size_t symbolCount = 0;
        for (int i = 0; i < 16; ++i) symbolCount += counts[i];
        d += 17;
        left -= 17;
        if (symbolCount > left || !huffmanTables_[index].build(counts, d)) return damaged("damaged Huffman table", d);
        huffmanTablesDefined_ |= 1u << index;
        d += symbolCount;
        left -= symbolCount;
    }
    return left == 0 || damaged("damaged Huffman table", d);
}

// Tables of 8-bit or 16-bit values (the latter meant for 12-bit files, but legal).
bool TNanoJpegDecoder::readQuantTables(Segment segment) {
    const uint8_t *d = segment.data;
    size_t left = segment.size;
    while (left > 0) {
        const size_t valueBytes = (d[0] >> 4) + 1u;
        if ((d[0] & 0xEC) || left < 1 + 64 * valueBytes) return damaged("damaged quantisation table", d);
        std::array<uint16_t, 64> &table = quantTables_[d[0] & 3];
        for (int k = 0; k < 64; ++k)
            table[k] = uint16_t(valueBytes == 1 ? d[1 + k] : bigEndian16(d + 1 + 2 * k));
        quantTablesDefined_ |= 1u << (d[0] & 3);
        d += 1 + 64 * valueBytes;
        left -= 1 + 64 * valueBytes;
    }
    return true;
}

bool TNanoJpegDecoder::readRestartInterval(Segment segment) {
    if (segment.size < 2) return damaged("damaged JPEG restart interval", segment.data);
    restartInterval_ = bigEndian16(segment.data);
    return true;
}

// JFIF (APP0) and Adobe (APP14) segments tell how three and four components are coded.
void TNanoJpegDecoder::readApplicationData(uint8_t marker, Segment segment) {
    const auto startsWith = [&](const char *tag, size_t length) {
        return segment.size >= length && std::memcmp(segment.data, tag, length) == 0;
    };
    if (marker == 0xE0 && startsWith("JFIF", 5)) jfif_ = true;
    if (marker == 0xEE && startsWith("Adobe", 5) && segment.size >= 12) adobeTransform_ = segment.data[11];
}

bool TNanoJpegDecoder::readScanHeader(Segment segment) {
    const uint8_t *d = segment.data;
    if (components_.empty()) return damaged("JPEG scan before the frame header", d);
    if (progressive_ && ++progressiveScans_ > kMaxProgressiveScans)
        return unsupported("progressive JPEG with more than 1000 scans is not supported");
    const size_t count = segment.size > 0 ? d[0] : 0;
    if (count == 0 || count > components_.size() || segment.size < 4 + 2 * count || !readScanComponents(d + 1, count))
        return damaged("damaged JPEG scan header", d);
    const uint8_t *spectral = d + 1 + 2 * count;
    spectralStart_ = spectral[0];
    spectralEnd_ = spectral[1];
    approximationHigh_ = spectral[2] >> 4;
    approximationLow_ = spectral[2] & 15;
    bool valid;
    if (progressive_) {
        // A band holds the DC coefficient alone or AC coefficients of one component;
        // a refinement adds the bit below the previous scan's.
        valid = spectralStart_ <= spectralEnd_ && spectralEnd_ <= 63 && (spectralStart_ == 0) == (spectralEnd_ == 0) &&
                (spectralStart_ == 0 || count == 1) && approximationLow_ <= kMaxApproximationBit &&
                (approximationHigh_ == 0 || approximationHigh_ == approximationLow_ + 1);
    } else {
        valid = spectralStart_ == 0 && spectralEnd_ == 63 && spectral[2] == 0;
    }
    if (!valid) return damaged("damaged JPEG scan header", spectral);
    return checkScanTables(d + 1);
}

// The scan's components, which must follow frame order; their Huffman tables.
bool TNanoJpegDecoder::readScanComponents(const uint8_t *fields, size_t count) {
    scanCount_ = count;
    size_t next = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t *field = fields + 2 * i;
        while (next < components_.size() && components_[next].id != field[0]) ++next;
        if (next == components_.size() || (field[1] & 0xCC)) return false;
        TNanoJpegComponent &c = components_[next++];
        c.dcTable = field[1] >> 4;
        c.acTable = 4 + (field[1] & 3);
        scanComponents_[i] = &c;
    }
    return true;
}

// The tables the scan's kind uses must be defined. A progressive component's
// dequantisation table is taken when its DC is first coded.
bool TNanoJpegDecoder::checkScanTables(const uint8_t *tableFields) {
    const bool firstDc = spectralStart_ == 0 && approximationHigh_ == 0;
    const bool usesAc = spectralEnd_ > 0;
    for (size_t i = 0; i < scanCount_; ++i) {
        TNanoJpegComponent &c = *scanComponents_[i];
        const bool tablesThere = (!firstDc || (huffmanTablesDefined_ >> c.dcTable & 1)) &&
                                 (!usesAc || (huffmanTablesDefined_ >> c.acTable & 1)) &&
                                 (!(firstDc || !progressive_) || (quantTablesDefined_ >> c.quantTable & 1));
        if (!tablesThere) return damaged("JPEG scan uses an undefined table", tableFields + 2 * i);
        if (progressive_ && firstDc) c.quant = quantTables_[c.quantTable];
    }
    return true;
}

bool TNanoJpegDecoder::readScan() {
    const uint8_t *start = pos_;
    const bool decoded =
        progressive_ ? allocateCoefficients() && decodeProgressiveScan() : allocatePlanes() && decodeSequentialScan();
    return decoded && finishScan(start);
}

// Marks what the scan completed; a sequential picture ends with its last
// component, anything else continues at the marker after the scan's data.
bool TNanoJpegDecoder::finishScan(const uint8_t *scanStart) {
    const bool firstDc = spectralStart_ == 0 && approximationHigh_ == 0;
    for (size_t i = 0; i < scanCount_; ++i) scanComponents_[i]->scanned |= !progressive_ || firstDc;
    const bool allScanned =
        std::all_of(components_.begin(), components_.end(), [](const TNanoJpegComponent &c) { return c.scanned; });
    if (!progressive_ && allScanned) {
        if (!rowByRow_) {
            if (!allocatePicture()) return false;
            writeRows(0, height_, 0);
        }
        error_ = Error::Internal_Finished;
        return true;
    }
    const uint8_t *end = scanStart + left_;
    pos_ = markerAfterScanData(scanStart, end);
    left_ = size_t(end - pos_);
    return true;
}

// Every block of every component that a scan could code has its memory; the
// scans must be able to fill it: each block takes at least two bits (a DC and an
// end-of-block code) in a sequential scan, one in a progressive DC scan. A first
// scan of every component gets planes one MCU row tall and the picture at once.
bool TNanoJpegDecoder::allocatePlanes() {
    if (components_[0].plane) return true;
    uint64_t blocks = 0;
    for (const TNanoJpegComponent &c : components_) blocks += uint64_t(c.blocksAcross) * c.blocksDown;
    if (blocks > uint64_t(left_) * 4) return damaged("JPEG data ends early", pos_ + left_);
    rowByRow_ = scanCount_ == components_.size();
    const size_t mcuRows = rowByRow_ ? 1 : size_t(mcusDown_);
    for (TNanoJpegComponent &c : components_) {
        c.plane = jpeg::allocateArray<uint8_t>(c.stride * mcuRows * 8 * c.samplingY, false);
        if (!c.plane) return outOfMemory();
    }
    return !rowByRow_ || allocatePicture();
}

// Its pixels are all written before it is handed over, so they are not cleared.
bool TNanoJpegDecoder::allocatePicture() {
    picture_.emplace(width_, height_, PendingImage::Fill::Uncleared);
    return picture_->allocated() || outOfMemory();
}

bool TNanoJpegDecoder::allocateCoefficients() {
    if (components_[0].coefficients) return true;
    uint64_t blocks = 0, bytes = 0;
    for (const TNanoJpegComponent &c : components_) {
        blocks += uint64_t(c.blocksAcross) * c.blocksDown;
        bytes += uint64_t(c.stride) * mcusDown_ * 8 * c.samplingY * sizeof(int16_t) * 17 / 16;  // and the masks
    }
    if (blocks > uint64_t(left_) * 8) return damaged("JPEG data ends early", pos_ + left_);
    if (bytes > kMaxCoefficientBytes) return unsupported("progressive JPEG too large");
    for (TNanoJpegComponent &c : components_) {
        const size_t samples = c.stride * mcusDown_ * 8 * c.samplingY;
        c.coefficients = jpeg::allocateArray<int16_t>(samples, true);
        c.nonZero = jpeg::allocateArray<uint64_t>(samples / 64, true);
        if (!c.coefficients || !c.nonZero) return outOfMemory();
    }
    return true;
}

// At the end of image: every component's coefficients to samples.
bool TNanoJpegDecoder::finishProgressive() {
    for (TNanoJpegComponent &c : components_)
        if (!c.scanned) return damaged("JPEG data ends early", pos_);
    for (TNanoJpegComponent &c : components_) {
        transformCoefficients(c);
        c.nonZero.reset();
    }
    if (!allocatePicture()) return false;
    writeRows(0, height_, 0);
    error_ = Error::Internal_Finished;
    return true;
}

// Three components are YCbCr unless an Adobe marker says RGB, or, with neither
// JFIF nor Adobe marker, their identifiers are 'R', 'G', 'B'. Four are CMYK
// unless an Adobe marker says YCCK.
jpeg::ColourModel TNanoJpegDecoder::colourModel() const {
    using Colour = jpeg::ColourModel;
    if (components_.size() == 1) return Colour::Grey;
    if (components_.size() == 4) return adobeTransform_ == 2 ? Colour::Ycck : Colour::Cmyk;
    if (adobeTransform_ >= 0) return adobeTransform_ == 0 ? Colour::Rgb : Colour::YCbCr;
    const bool rgbIds = components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B';
    return !jfif_ && rgbIds ? Colour::Rgb : Colour::YCbCr;
}

}  // namespace zorblit
