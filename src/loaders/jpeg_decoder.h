// The library's baseline JPEG decoder: sequential, Huffman-coded, 8-bit JFIF with
// one (grey) or three (Y, Cb, Cr) components, decoded in one pass over a buffer in
// memory. Progressive, arithmetic-coded, 12-bit and four-component files are
// refused. Every length and count in the file is checked against the bytes
// present; memory grows only with what the data can fill.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "loaders/jpeg_huffman.h"

namespace zorblit {

enum class TNanoJpegErrorCodes {
    OK = 0,
    NotAJpeg = 1,
    Unsupported = 2,
    OutOfMemory = 3,
    InternalError = 4,
    SyntaxError = 5,
    Internal_Finished = 6,  // the scan decoded every MCU
};

struct TNanoJpegComponent {
    uint8_t id = 0;
    int samplingX = 0, samplingY = 0;  // sampling factors
    int quantTable = 0;
    int dcTable = 0, acTable = 0;
    int width = 0, height = 0;  // samples that belong to the picture
    size_t stride = 0;          // samples per plane row, whole blocks
    int32_t dcPredictor = 0;
    std::unique_ptr<uint8_t[]> plane;  // stride x (MCUs down x 8 x samplingY) samples
};

// One decoder per picture: decode once, then read the picture out.
class TNanoJpegDecoder {
public:
    // True when the data held a complete baseline picture.
    bool decode(const uint8_t *data, uint32_t size);

    TNanoJpegErrorCodes error() const { return error_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    int componentCount() const { return int(components_.size()); }

    // Writes the decoded picture as opaque 0xAARRGGBB pixels, rows top to bottom
    // without gaps: Y, Cb, Cr converted to RGB, or grey as R = G = B.
    void writePixels(uint32_t *pixels) const;

private:
    // One marker segment, after its length field.
    struct Segment {
        const uint8_t *data;
        size_t size;
    };

    bool fail(TNanoJpegErrorCodes code) {
        error_ = code;
        return false;
    }
    bool readSegment(Segment &segment);
    bool readFrame(Segment segment);
    bool readHuffmanTables(Segment segment);
    bool readQuantTables(Segment segment);
    bool readRestartInterval(Segment segment);
    bool readScanHeader(Segment segment);
    bool allocatePlanes();
    bool decodeScan();
    bool decodeBlock(jpeg::JpegBitReader &bits, TNanoJpegComponent &component, uint8_t *out);
    bool readRestartMarker(jpeg::JpegBitReader &bits, int index);

    const uint8_t *pos_ = nullptr;
    size_t left_ = 0;
    TNanoJpegErrorCodes error_ = TNanoJpegErrorCodes::OK;

    uint32_t width_ = 0, height_ = 0;
    int maxSamplingX_ = 1, maxSamplingY_ = 1;
    int mcuWidth_ = 8, mcuHeight_ = 8;  // pixels
    int mcusAcross_ = 0, mcusDown_ = 0;
    std::vector<TNanoJpegComponent> components_;

    std::array<std::array<uint8_t, 64>, 4> quantTables_{};  // zig-zag order, as stored
    unsigned quantTablesDefined_ = 0;                        // bit i: table i
    std::array<jpeg::JpegHuffmanTable, 4> huffmanTables_{};  // 0, 1: DC; 2, 3: AC
    unsigned huffmanTablesDefined_ = 0;
    unsigned restartInterval_ = 0;  // MCUs; 0: none

    alignas(16) int32_t block_[64] = {};
};

}  // namespace zorblit
