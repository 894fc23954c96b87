// The library's JPEG decoder: Huffman-coded, 8-bit, sequential (one scan or
// several) or progressive, with one (grey), three (YCbCr or RGB) or four (CMYK or
// YCCK) components, decoded from a buffer in memory. Arithmetic-coded, lossless,
// hierarchical and 12-bit files are refused. Every length and count in the file
// is checked against the bytes present; memory grows only with what the data can
// fill.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "loaders/jpeg_huffman.h"
#include "loaders/reader.h"

namespace zorblit {
namespace jpeg {
enum class ColourModel { Grey, YCbCr, Rgb, Cmyk, Ycck };
}

enum class TNanoJpegErrorCodes {
    OK = 0,
    NotAJpeg = 1,
    Unsupported = 2,
    OutOfMemory = 3,
    SyntaxError = 5,
    Internal_Finished = 6,  // every component decoded
};

namespace jpeg {
// Arrays from malloc or calloc (large zero-filled blocks come from the system
// already zeroed instead of being cleared again), released with free.
struct FreeMemory {
    void operator()(void *memory) const { std::free(memory); }
};
template <class T>
using HeapArray = std::unique_ptr<T[], FreeMemory>;
template <class T>
HeapArray<T> allocateArray(size_t count, bool zeroed) {
    return HeapArray<T>(static_cast<T *>(zeroed ? std::calloc(count, sizeof(T)) : std::malloc(count * sizeof(T))));
}
}  // namespace jpeg

struct TNanoJpegComponent {
    uint8_t id = 0;
    int samplingX = 0, samplingY = 0;  // sampling factors
    int quantTable = 0;
    int dcTable = 0, acTable = 0;  // indices into the decoder's Huffman tables
    int width = 0, height = 0;     // samples that belong to the picture
    int blocksAcross = 0, blocksDown = 0;  // blocks a scan of this component alone codes
    size_t stride = 0;             // samples per plane row, whole MCUs
    int32_t dcPredictor = 0;
    bool scanned = false;  // sequential: decoded; progressive: its DC has a first scan
    jpeg::HeapArray<uint8_t> plane;  // stride x (MCUs down, or 1, x 8 x samplingY) samples
    // Progressive only: 64 coefficients per block in zig-zag order, blocks in
    // rows of stride / 8 (memory that becomes the plane at the end); per block a mask of the AC positions made non-zero;
    // the quantisation table, taken when the component's DC is first coded.
    jpeg::HeapArray<int16_t> coefficients;
    jpeg::HeapArray<uint64_t> nonZero;
    std::array<uint16_t, 64> quant{};
};

// One decoder per picture: decode once, then read the picture out.
class TNanoJpegDecoder {
public:
    // True when the data held a complete picture; otherwise the reason for the
    // refusal is recorded (loaders/refusal.h).
    bool decode(const uint8_t *data, uint32_t size);

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

    // Once decode succeeded: hands the picture to image as opaque 0xAARRGGBB
    // pixels, rows top to bottom without gaps: YCbCr converted to RGB, RGB as
    // stored, grey as R = G = B, CMYK and YCCK as described in jpeg_output.cpp.
    bool handOver(GFXimage *image) { return picture_->handOver(image); }

private:
    // One marker segment, after its length field.
    struct Segment {
        const uint8_t *data;
        size_t size;
    };

    // Each records the reason and ends decoding; they return false.
    bool unsupported(const char *what);
    bool damaged(const char *what, const uint8_t *at);
    bool outOfMemory();

    bool readMarker();
    bool readSegment(Segment &segment);
    bool readFrame(Segment segment, bool progressive);
    bool readHuffmanTables(Segment segment);
    bool readQuantTables(Segment segment);
    bool readRestartInterval(Segment segment);
    void readApplicationData(uint8_t marker, Segment segment);
    bool readScanHeader(Segment segment);
    bool readScanComponents(const uint8_t *fields, size_t count);
    bool checkScanTables(const uint8_t *tableFields);
    bool readScan();
    bool allocatePlanes();
    bool allocatePicture();
    // Converts picture rows firstRow to endRow - 1 from the planes, whose row 0
    // is picture row planeFirstRow (a multiple of the MCU height).
    void writeRows(uint32_t firstRow, uint32_t endRow, uint32_t planeFirstRow);
    bool allocateCoefficients();
    bool finishScan(const uint8_t *scanStart);
    bool finishProgressive();
    jpeg::ColourModel colourModel() const;

    // Calls decodeBlock(bits, component, blockX, blockY) for every block of the
    // scan in coding order, handling restart markers, and rowDone(mcuY) after
    // each row of MCUs.
    template <class DecodeBlock, class RowDone>
    bool walkScan(DecodeBlock &&decodeBlock, RowDone &&rowDone);
    bool decodeSequentialScan();
    bool decodeProgressiveScan();
    bool decodeDc(jpeg::JpegBitReader &bits, TNanoJpegComponent &component);
    int decodeCoefficients(jpeg::JpegBitReader &bits, TNanoJpegComponent &component);
    bool decodeBlock(jpeg::JpegBitReader &reader, TNanoJpegComponent &component, uint8_t *out);
    bool decodeDcFirst(jpeg::JpegBitReader &bits, TNanoJpegComponent &component, size_t block);
    bool decodeDcRefine(jpeg::JpegBitReader &bits, TNanoJpegComponent &component, size_t block);
    bool decodeAcFirst(jpeg::JpegBitReader &bits, TNanoJpegComponent &component, size_t block);
    bool decodeAcRefine(jpeg::JpegBitReader &bits, TNanoJpegComponent &component, size_t block);
    bool readRestartMarker(jpeg::JpegBitReader &bits, int index);
    void transformCoefficients(TNanoJpegComponent &component);

    const uint8_t *begin_ = nullptr;
    const uint8_t *pos_ = nullptr;
    size_t left_ = 0;
    TNanoJpegErrorCodes error_ = TNanoJpegErrorCodes::OK;

    bool progressive_ = false;
    bool jfif_ = false;
    int adobeTransform_ = -1;  // -1: no Adobe marker
    uint32_t width_ = 0, height_ = 0;
    int maxSamplingX_ = 1, maxSamplingY_ = 1;
    int mcuWidth_ = 8, mcuHeight_ = 8;  // pixels
    int mcusAcross_ = 0, mcusDown_ = 0;
    std::vector<TNanoJpegComponent> components_;
    // A sequential picture whose first scan codes every component is converted
    // row of MCUs by row of MCUs while the scan is decoded, through planes one
    // MCU row tall; other pictures are converted at their end.
    bool rowByRow_ = false;
    std::optional<PendingImage> picture_;
    std::vector<uint8_t> widened_;  // upsampled rows, one per component

    // The scan being decoded: its components in frame order, the band of
    // zig-zag positions and the successive approximation bits.
    std::array<TNanoJpegComponent *, 4> scanComponents_{};
    size_t scanCount_ = 0;
    int spectralStart_ = 0, spectralEnd_ = 63;
    int approximationHigh_ = 0, approximationLow_ = 0;
    unsigned endOfBandRun_ = 0;  // blocks still to skip in a progressive AC scan
    int progressiveScans_ = 0;

    std::array<std::array<uint16_t, 64>, 4> quantTables_{};  // zig-zag order, as stored
    unsigned quantTablesDefined_ = 0;                         // bit i: table i
    std::array<jpeg::JpegHuffmanTable, 8> huffmanTables_{};  // 0-3: DC; 4-7: AC
    unsigned huffmanTablesDefined_ = 0;
    unsigned restartInterval_ = 0;  // MCUs; 0: none

    alignas(16) int32_t block_[64] = {};
};

}  // namespace zorblit
