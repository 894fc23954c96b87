// JPEG decoding beside stb_image and libjpeg-turbo (integer IDCT, its default).
// Every decoder produces 32-bit pixels.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "decode_bench.h"

namespace zorblit::bench {
namespace {

// The benchmark pictures are valid, so libjpeg-turbo's default error exit stays unused.
size_t decodeWithLibjpeg(const Bytes &file, std::vector<uint8_t> &pixels) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    const size_t rowBytes = size_t(cinfo.output_width) * 4;
    pixels.resize(rowBytes * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + cinfo.output_scanline * rowBytes;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels.size();
}

void libjpegDecode(benchmark::State &state, const char *name) {
    const Bytes file = readBenchPicture(name);
    std::vector<uint8_t> pixels;
    size_t bytes = 0;
    for (auto _ : state) bytes = decodeWithLibjpeg(file, pixels);
    setBytes(state, bytes);
}

const char *const pictures[] = {"photo_q90_420.jpg", "photo_q90_444.jpg", "photo_q90_grey.jpg",
                                "photo_q90_420_rst.jpg", "photo_q90_444_rst.jpg"};

void add(const std::string &name, void (*run)(benchmark::State &, const char *), const char *picture) {
    benchmark::RegisterBenchmark(name.c_str(), run, picture)->Unit(benchmark::kMillisecond);
}

// Peers first in every group, then ours.
const bool registered = [] {
    for (const char *picture : pictures) {
        const std::string base = std::string(picture, std::strlen(picture) - 4);
        add("JpegDecode." + base + ".vs_stb/stb_image", stbDecode, picture);
        add("JpegDecode." + base + ".vs_stb/zorblit", zorblitDecode<jpegLoadMem>, picture);
        add("JpegDecode." + base + ".vs_libjpeg/libjpeg-turbo", libjpegDecode, picture);
        add("JpegDecode." + base + ".vs_libjpeg/zorblit", zorblitDecode<jpegLoadMem>, picture);
    }
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
