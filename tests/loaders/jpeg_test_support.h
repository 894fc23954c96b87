// What the JPEG tests share: files written by libjpeg-turbo in the layout asked
// for, its decoding of them, and the comparison of ours with it.
#pragma once
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "reader_test_support.h"

namespace zorblit::test {

// Chroma is always sampled 1 x 1; restarts every that many MCUs, 0: none; a comment
// and an APP1 segment before the frame when asked. stored: the colour space written
// when not the input's (JCS_RGB, JCS_YCCK); scans: a scan script of our own.
struct JpegOptions {
    int lumaSamplingX = 1, lumaSamplingY = 1;
    bool grey = false, cmyk = false;
    unsigned restartInterval = 0;
    int quality = 90;
    bool progressive = false, arithmetic = false, commentAndApp1 = false;
    J_COLOR_SPACE stored = JCS_UNKNOWN;
    std::vector<jpeg_scan_info> scans = {};
};

inline int channelsOf(const JpegOptions &options) { return options.grey ? 1 : options.cmyk ? 4 : 3; }

// Interleaved samples (grey, RGB or CMYK) encoded by libjpeg-turbo.
inline Bytes encodePicture(const Bytes &picture, uint32_t width, uint32_t height, const JpegOptions &options) {
    const int channels = channelsOf(options);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width, cinfo.image_height = height, cinfo.input_components = channels;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, options.stored);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.restart_interval = options.restartInterval, cinfo.arith_code = options.arithmetic;
    cinfo.comp_info[0].h_samp_factor = options.lumaSamplingX, cinfo.comp_info[0].v_samp_factor = options.lumaSamplingY;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    if (!options.scans.empty()) cinfo.scan_info = options.scans.data(), cinfo.num_scans = int(options.scans.size());
    jpeg_start_compress(&cinfo, TRUE);
    if (options.commentAndApp1) {
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET *>("a comment"), 9);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>("Exif\0\0"), 6);
    }
    while (cinfo.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.data() + size_t(cinfo.next_scanline) * width * channels);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const Bytes file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

// Gradients, hard edges and noise (seed 0: flat mid grey), encoded.
inline Bytes encodeJpeg(uint32_t width, uint32_t height, const JpegOptions &options, uint64_t seed = 1) {
    const int channels = channelsOf(options);
    TestRandom random(seed);
    Bytes picture(size_t(width) * height * channels, 128);
    for (size_t i = 0; seed && i < picture.size(); ++i) {
        const uint32_t x = uint32_t(i / channels % width), y = uint32_t(i / channels / width), c = uint32_t(i % channels);
        const int gradient = int((x * (40 + 30 * c) + y * (70 - 20 * c)) % 256), edge = (x / 7 + y / 5 + c) % 3 ? 0 : 90;
        picture[i] = uint8_t(std::clamp(gradient / 2 + edge + int(random.range(-12, 12)) + 20, 0, 255));
    }
    return encodePicture(picture, width, height, options);
}

// libjpeg-turbo's decoding with the integer IDCT and chroma replicated, as ours
// does, into the colour space asked for: 4 bytes a pixel (JCS_EXT_BGRA: 0xAARRGGBB
// words on a little-endian machine, or JCS_CMYK) or 3 (JCS_RGB).
inline Bytes referenceDecodeJpeg(const Bytes &file, J_COLOR_SPACE space, uint32_t *width = nullptr) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.do_fancy_upsampling = FALSE, cinfo.out_color_space = space;
    jpeg_start_decompress(&cinfo);
    const size_t rowBytes = size_t(cinfo.output_width) * cinfo.output_components;
    Bytes samples(rowBytes * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = samples.data() + cinfo.output_scanline * rowBytes;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    if (width) *width = cinfo.output_width;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return samples;
}

inline Pixels referenceDecodeJpeg(const Bytes &file) {
    const Bytes bytes = referenceDecodeJpeg(file, JCS_EXT_BGRA);
    Pixels pixels(bytes.size() / 4);
    std::copy_n(bytes.begin(), bytes.size(), reinterpret_cast<uint8_t *>(pixels.data()));
    return pixels;
}

// Against the reference the IDCTs and colour conversions differ in rounding only:
// seen at most 3 levels, 0.17 on average; alpha too, as both must be opaque.
inline void expectNearPixels(const Pixels &ours, const Pixels &reference) {
    ASSERT_EQ(ours.size(), reference.size());
    int largest = 0, sum = 0;
    for (size_t i = 0; i < reference.size() * 4; ++i) {
        const int delta = std::abs(int(ours[i / 4] >> i % 4 * 8 & 0xFF) - int(reference[i / 4] >> i % 4 * 8 & 0xFF));
        largest = std::max(largest, delta), sum += delta;
    }
    EXPECT_LE(largest, 4);
    EXPECT_LE(double(sum) / double(reference.size() * 3), 0.25);
}

inline void expectNearReference(const Bytes &file) {
    expectNearPixels(decodeExact(jpegLoadMem, file).pixels, referenceDecodeJpeg(file));
}

// Where a marker first occurs; the end-of-image marker is searched from the end,
// as table data may hold its bytes.
inline size_t markerAt(const Bytes &file, uint8_t marker) {
    const uint8_t m[2] = {0xFF, marker};
    return size_t((marker == 0xD9 ? std::find_end(file.begin(), file.end(), m, m + 2)
                                  : std::search(file.begin(), file.end(), m, m + 2)) -
                  file.begin());
}

}  // namespace zorblit::test
