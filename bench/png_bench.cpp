// PNG decoding beside libpng and stb_image, and our inflate beside zlib's on the
// same IDAT stream. Every decoder produces 8-bit RGBA pixels.
#include <png.h>
#include <libdeflate.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "decode_bench.h"
#include "loaders/inflate.h"
#include "loaders/png_chunks.h"

namespace zorblit::bench {
namespace {

struct MemoryReader {
    const Bytes *file;
    size_t offset;
};

void readFromMemory(png_structp png, png_bytep data, png_size_t length) {
    auto *reader = static_cast<MemoryReader *>(png_get_io_ptr(png));
    if (reader->offset + length > reader->file->size()) png_error(png, "truncated");
    std::memcpy(data, reader->file->data() + reader->offset, length);
    reader->offset += length;
}

bool decodeWithLibpng(const Bytes &file, std::vector<uint8_t> &rgba) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    MemoryReader reader{&file, 0};
    png_set_read_fn(png, &reader, readFromMemory);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    rgba.resize(width * height * 4);
    std::vector<png_bytep> rows(height);
    for (size_t y = 0; y < height; ++y) rows[y] = &rgba[y * width * 4];
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

void libpngDecode(benchmark::State &state, const char *name) {
    const Bytes file = readBenchPicture(name);
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> rgba;  // a new picture each time, as the other decoders give
        if (!decodeWithLibpng(file, rgba)) state.SkipWithError("libpng failed");
        bytes = rgba.size();
    }
    setBytes(state, bytes);
}

// The file's IDAT data joined, and the size it inflates to.
struct ImageStream {
    Bytes compressed;
    size_t inflatedSize = 0;
};

ImageStream imageStreamOf(const char *name) {
    const Bytes file = readBenchPicture(name);
    png::Contents contents;
    ImageStream stream;
    if (!png::readChunks(file.data(), file.size(), contents)) return stream;
    for (const ByteSpan &span : contents.compressed)
        stream.compressed.insert(stream.compressed.end(), span.data, span.data + span.size);
    stream.inflatedSize = size_t(png::filteredSize(png::passesOf(contents.header)));
    return stream;
}

void zlibInflate(benchmark::State &state, const char *name) {
    const ImageStream stream = imageStreamOf(name);
    Bytes out(stream.inflatedSize);
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        if (uncompress(out.data(), &size, stream.compressed.data(), uLong(stream.compressed.size())) != Z_OK)
            state.SkipWithError("zlib failed");
    }
    setBytes(state, out.size());
}

void libdeflateInflate(benchmark::State &state, const char *name) {
    const ImageStream stream = imageStreamOf(name);
    Bytes out(stream.inflatedSize);
    libdeflate_decompressor *decompressor = libdeflate_alloc_decompressor();
    for (auto _ : state) {
        const libdeflate_result result = libdeflate_zlib_decompress(
            decompressor, stream.compressed.data(), stream.compressed.size(), out.data(), out.size(), nullptr);
        if (result != LIBDEFLATE_SUCCESS) state.SkipWithError("libdeflate failed");
    }
    libdeflate_free_decompressor(decompressor);
    setBytes(state, out.size());
}

void zorblitInflate(benchmark::State &state, const char *name) {
    const ImageStream stream = imageStreamOf(name);
    for (auto _ : state) {
        InflatedBytes out;
        const size_t size = stream.compressed.size();
        if (!inflate(stream.compressed.data(), size, DeflateFraming::zlib, stream.inflatedSize, out))
            state.SkipWithError("inflate failed");
    }
    setBytes(state, stream.inflatedSize);
}

const char *const pictures[] = {"photo_rgb8.png", "photo_rgba8.png", "synth_rgb8.png", "synth_rgba8.png",
                                "photo_rgb8_adam7.png", "photo_grey8.png", "photo_pal8.png", "photo_rgb16.png"};

void add(const std::string &name, void (*run)(benchmark::State &, const char *), const char *picture) {
    benchmark::RegisterBenchmark(name.c_str(), run, picture)->Unit(benchmark::kMillisecond);
}

// Peers first in every group, then ours.
const bool registered = [] {
    for (const char *picture : pictures) {
        const std::string base = std::string(picture, std::strlen(picture) - 4);
        add("PngDecode." + base + ".vs_libpng/libpng", libpngDecode, picture);
        add("PngDecode." + base + ".vs_libpng/zorblit", zorblitDecode<pngLoadMem>, picture);
        add("PngDecode." + base + ".vs_stb/stb_image", stbDecode, picture);
        add("PngDecode." + base + ".vs_stb/zorblit", zorblitDecode<pngLoadMem>, picture);
        add("Inflate." + base + "/zlib", zlibInflate, picture);
        add("Inflate." + base + "/zorblit", zorblitInflate, picture);
        add("Inflate." + base + ".vs_libdeflate/libdeflate", libdeflateInflate, picture);
        add("Inflate." + base + ".vs_libdeflate/zorblit", zorblitInflate, picture);
    }
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
