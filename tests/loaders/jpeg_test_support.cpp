// libjpeg-turbo on memory buffers; only ever given valid input here.
#include "jpeg_test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include "test_images.h"

namespace zorblit::test {

std::vector<uint8_t> jpegTestPicture(uint32_t width, uint32_t height, int channels, uint64_t seed) {
    TestRandom random(seed);
    std::vector<uint8_t> picture(size_t(width) * height * channels);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                const int gradient = int((x * (40 + 30 * c) + y * (70 - 20 * c)) % 256);
                const int edge = (x / 7 + y / 5 + c) % 3 == 0 ? 90 : 0;
                const int noise = int(random.range(-12, 12));
                picture[(size_t(y) * width + x) * channels + c] = uint8_t(std::clamp(gradient / 2 + edge + noise + 20, 0, 255));
            }
    return picture;
}

std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t> &picture, uint32_t width, uint32_t height,
                                const JpegOptions &options) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = options.grey ? 1 : options.cmyk ? 4 : 3;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.comp_info[0].h_samp_factor = options.lumaSamplingX;
    cinfo.comp_info[0].v_samp_factor = options.lumaSamplingY;
    cinfo.restart_interval = options.restartInterval;
    cinfo.arith_code = options.arithmetic;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (options.commentAndApp1) {
        const char comment[] = "written for a test";
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET *>(comment), sizeof comment);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>("Exif\0\0"), 6);
    }
    const size_t rowBytes = size_t(width) * cinfo.input_components;
    while (cinfo.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.data() + cinfo.next_scanline * rowBytes);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

std::vector<uint32_t> referenceDecodeJpeg(const std::vector<uint8_t> &file) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = FALSE;
    const bool grey = cinfo.num_components == 1;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const uint32_t width = cinfo.output_width;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> row(size_t(width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rowPointer = row.data();
        jpeg_read_scanlines(&cinfo, &rowPointer, 1);
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t *p = row.data() + size_t(x) * cinfo.output_components;
            pixels.push_back(grey ? 0xFF000000u | p[0] * 0x010101u : RGBA(p[0], p[1], p[2], 255));
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

size_t jpegScanEnd(const std::vector<uint8_t> &file) {
    for (size_t i = file.size() - 2;; --i)
        if (file[i] == 0xFF && file[i + 1] == 0xD9) return i;
}

}  // namespace zorblit::test
