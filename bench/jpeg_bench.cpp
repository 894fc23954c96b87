// JPEG decoding beside stb_image and libjpeg-turbo (integer IDCT, its default).
// Every decoder produces 32-bit pixels.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <stb/stb_image.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_util.h"

namespace zorblit::bench {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes readJpeg(const std::string &name) {
    std::ifstream in(std::string(ZORBLIT_BENCH_IMAGES) + "/" + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

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
    const Bytes file = readJpeg(name);
    std::vector<uint8_t> pixels;
    size_t bytes = 0;
    for (auto _ : state) bytes = decodeWithLibjpeg(file, pixels);
    setBytes(state, bytes);
}

void stbDecode(benchmark::State &state, const char *name) {
    const Bytes file = readJpeg(name);
    size_t bytes = 0;
    for (auto _ : state) {
        int width, height, channels;
        stbi_uc *pixels = stbi_load_from_memory(file.data(), int(file.size()), &width, &height, &channels, 4);
        if (!pixels) state.SkipWithError("stb_image failed");
        bytes = size_t(width) * height * 4;
        stbi_image_free(pixels);
    }
    setBytes(state, bytes);
}

void zorblitDecode(benchmark::State &state, const char *name) {
    const Bytes file = readJpeg(name);
    size_t bytes = 0;
    for (auto _ : state) {
        GFXimage image{};
        if (!jpegLoadMem(&image, file.data(), uint32_t(file.size()))) state.SkipWithError("jpegLoadMem failed");
        bytes = size_t(image.width) * image.height * 4;
        FreeImage(&image);
    }
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
        add("JpegDecode." + base + ".vs_stb/zorblit", zorblitDecode, picture);
        add("JpegDecode." + base + ".vs_libjpeg/libjpeg-turbo", libjpegDecode, picture);
        add("JpegDecode." + base + ".vs_libjpeg/zorblit", zorblitDecode, picture);
    }
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
