// JPEG test files written by libjpeg-turbo, and libjpeg-turbo as the reference
// decoder (integer IDCT, chroma upsampled by replication: the same method as ours).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorblit::test {

struct JpegOptions {
    int lumaSamplingX = 1, lumaSamplingY = 1;  // chroma is always 1 x 1
    bool grey = false;
    bool cmyk = false;
    unsigned restartInterval = 0;  // MCUs; 0: none
    int quality = 90;
    bool progressive = false;
    bool arithmetic = false;
    bool commentAndApp1 = false;  // extra segments before the frame
};

// Gradients, hard edges and noise: channels bytes per pixel, rows top to bottom.
std::vector<uint8_t> jpegTestPicture(uint32_t width, uint32_t height, int channels, uint64_t seed);

// Encodes the picture (3 channels, 1 when grey, 4 when cmyk).
std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t> &picture, uint32_t width, uint32_t height,
                                const JpegOptions &options);

// The reference decoding as opaque 0xAARRGGBB pixels.
std::vector<uint32_t> referenceDecodeJpeg(const std::vector<uint8_t> &file);

// Offset of the first byte after the entropy-coded data (the end-of-image marker).
size_t jpegScanEnd(const std::vector<uint8_t> &file);

}  // namespace zorblit::test
