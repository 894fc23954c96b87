// JPEG decoding beside stb_image and libjpeg-turbo (integer IDCT, its default).
// Every decoder produces 32-bit pixels. The progressive picture is the 4:2:0
// photo rewritten by libjpeg-turbo with its default progression: the same
// coefficients, so the same picture, in ten scans.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
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

void libjpegDecodeBytes(benchmark::State &state, const Bytes &file) {
    std::vector<uint8_t> pixels;
    size_t bytes = 0;
    for (auto _ : state) bytes = decodeWithLibjpeg(file, pixels);
    setBytes(state, bytes);
}

void libjpegDecode(benchmark::State &state, const char *name) { libjpegDecodeBytes(state, readBenchPicture(name)); }

// The file's coefficients written again as a progressive file.
Bytes progressiveCopy(const Bytes &file) {
    jpeg_decompress_struct source;
    jpeg_compress_struct target;
    jpeg_error_mgr errors;
    source.err = target.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&source);
    jpeg_create_compress(&target);
    jpeg_mem_src(&source, file.data(), file.size());
    jpeg_read_header(&source, TRUE);
    jvirt_barray_ptr *coefficients = jpeg_read_coefficients(&source);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&target, &buffer, &size);
    jpeg_copy_critical_parameters(&source, &target);
    jpeg_simple_progression(&target);
    jpeg_write_coefficients(&target, coefficients);
    jpeg_finish_compress(&target);
    jpeg_finish_decompress(&source);
    jpeg_destroy_compress(&target);
    jpeg_destroy_decompress(&source);
    const Bytes copy(buffer, buffer + size);
    std::free(buffer);
    return copy;
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
    const Bytes baseline = readBenchPicture("photo_q90_420.jpg");
    if (baseline.empty()) return false;
    static const Bytes progressive = progressiveCopy(baseline);
    const auto addProgressive = [](const char *name, void (*run)(benchmark::State &, const Bytes &)) {
        benchmark::RegisterBenchmark(name, run, progressive)->Unit(benchmark::kMillisecond);
    };
    addProgressive("JpegDecode.photo_q90_420_progressive.vs_libjpeg/libjpeg-turbo", libjpegDecodeBytes);
    addProgressive("JpegDecode.photo_q90_420_progressive.vs_libjpeg/zorblit", zorblitDecodeBytes<jpegLoadMem>);
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
