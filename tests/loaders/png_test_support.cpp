#include "png_test_support.h"

#include <csetjmp>
#include <cstring>

namespace zorblit::test {
namespace {

void appendToBytes(png_structp png, png_bytep data, png_size_t length) {
    auto *out = static_cast<Bytes *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

struct ReadState {
    const Bytes *file;
    size_t offset;
};

void readFromBytes(png_structp png, png_bytep data, png_size_t length) {
    auto *state = static_cast<ReadState *>(png_get_io_ptr(png));
    if (state->offset + length > state->file->size()) png_error(png, "read past the end");
    std::memcpy(data, state->file->data() + state->offset, length);
    state->offset += length;
}

}  // namespace

Bytes writeWithLibpng(const PngPicture &p) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendToBytes, nullptr);
    png_set_IHDR(png, info, p.width, p.height, p.depth, p.colourType,
                 p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!p.palette.empty()) png_set_PLTE(png, info, p.palette.data(), int(p.palette.size()));
    if (!p.paletteAlpha.empty())
        png_set_tRNS(png, info, p.paletteAlpha.data(), int(p.paletteAlpha.size()), nullptr);
    if (p.keyed) png_set_tRNS(png, info, nullptr, 0, &p.key);
    if (p.extraChunks) {
        png_set_gAMA(png, info, 0.45455);
        png_text text{};
        text.compression = PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<char *>("Comment");
        text.text = const_cast<char *>("skipped by the reader");
        png_set_text(png, info, &text, 1);
    }
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    png_write_info(png, info);
    if (p.depth == 16) png_set_swap(png);  // rows below hold native-order 16-bit samples

    // Rows packed at the file's depth: sub-byte samples most significant first.
    const size_t perRow = size_t(p.width) * p.channels();
    const size_t rowBytes = (perRow * p.depth + 7) / 8;
    std::vector<Bytes> rows(p.height, Bytes(rowBytes, 0));
    for (uint32_t y = 0; y < p.height; ++y)
        for (size_t i = 0; i < perRow; ++i) {
            const uint16_t v = p.samples[y * perRow + i];
            if (p.depth == 16) {
                std::memcpy(&rows[y][2 * i], &v, 2);
            } else if (p.depth == 8) {
                rows[y][i] = uint8_t(v);
            } else {
                const size_t bit = i * p.depth;
                rows[y][bit / 8] |= uint8_t(v << (8 - p.depth - bit % 8));
            }
        }
    std::vector<png_bytep> pointers;
    for (auto &row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint32_t> readWithLibpng(const Bytes &file) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<uint32_t> pixels;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {};
    }
    ReadState state{&file, 0};
    png_set_read_fn(png, &state, readFromBytes);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const uint32_t width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    std::vector<png_bytep> rows;
    for (uint32_t y = 0; y < height; ++y) rows.push_back(&rgba[size_t(y) * width * 4]);
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    for (size_t i = 0; i < rgba.size(); i += 4)
        pixels.push_back(uint32_t(rgba[i + 3]) << 24 | uint32_t(rgba[i]) << 16 | uint32_t(rgba[i + 1]) << 8 |
                         rgba[i + 2]);
    return pixels;
}

}  // namespace zorblit::test
