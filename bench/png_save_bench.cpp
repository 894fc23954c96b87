// PNG writing of a photograph: pngSave's default and fast levels beside libpng
// at its default level and stb_image_write. Each row reports the file size it
// made (counter file_bytes). The peers get the pixels as RGB bytes prepared
// outside the timing; ours starts from the image.
#include <png.h>
#include <stb/stb_image_write.h>

#include <string>
#include <vector>

#include "decode_bench.h"

namespace zorblit::bench {
namespace {

struct Picture {
    GFXimage image{};
    Bytes rgb;
    explicit Picture(const char *name) {
        const Bytes file = readBenchPicture(name);
        if (!pngLoadMem(&image, file.data(), uint32_t(file.size()))) return;
        for (size_t i = 0; i < size_t(image.width) * image.height; ++i)
            rgb.insert(rgb.end(), {uint8_t(image.data[i] >> 16), uint8_t(image.data[i] >> 8), uint8_t(image.data[i])});
    }
    ~Picture() { FreeImage(&image); }
};

void appendToBytes(png_structp png, png_bytep data, png_size_t size) {
    auto *out = static_cast<Bytes *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

size_t encodeWithLibpng(const Picture &picture) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToBytes, nullptr);
    png_set_IHDR(png, info, picture.image.width, picture.image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (uint32_t y = 0; y < picture.image.height; ++y)
        png_write_row(png, picture.rgb.data() + size_t(y) * picture.image.width * 3);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out.size();
}

size_t encodeWithStb(const Picture &picture) {
    Bytes out;
    const auto append = [](void *context, void *data, int size) {
        auto *bytes = static_cast<Bytes *>(context);
        bytes->insert(bytes->end(), static_cast<uint8_t *>(data), static_cast<uint8_t *>(data) + size);
    };
    const int width = int(picture.image.width);
    stbi_write_png_to_func(append, &out, width, int(picture.image.height), 3, picture.rgb.data(), width * 3);
    return out.size();
}

template <int Level>
size_t encodeWithZorblit(const Picture &picture) {
    pngSaveLevel = Level;
    uint8_t *data = nullptr;
    size_t size = 0;
    const bool ok = pngSaveMem(picture.image, false, &data, &size);
    FreeMemory(data);
    pngSaveLevel = 2;
    return ok ? size : 0;
}

void encode(benchmark::State &state, size_t (*encoder)(const Picture &), const char *name) {
    const Picture picture(name);
    size_t size = 0;
    for (auto _ : state) size = encoder(picture);
    if (size == 0) state.SkipWithError("encoding failed");
    state.counters["file_bytes"] = double(size);
}

void add(const std::string &name, size_t (*encoder)(const Picture &), const char *picture) {
    benchmark::RegisterBenchmark(name.c_str(), encode, encoder, picture)->Unit(benchmark::kMillisecond);
}

// Peers first in every group, then ours.
const bool registered = [] {
    const char *picture = "photo_rgb8.png";
    const std::string base = "PngSave.photo_rgb8";
    add(base + ".default.vs_libpng/libpng", encodeWithLibpng, picture);
    add(base + ".default.vs_libpng/zorblit", encodeWithZorblit<2>, picture);
    add(base + ".fast.vs_libpng/libpng", encodeWithLibpng, picture);
    add(base + ".fast.vs_libpng/zorblit", encodeWithZorblit<1>, picture);
    add(base + ".default.vs_stb/stb_image_write", encodeWithStb, picture);
    add(base + ".default.vs_stb/zorblit", encodeWithZorblit<2>, picture);
    add(base + ".fast.vs_stb/stb_image_write", encodeWithStb, picture);
    add(base + ".fast.vs_stb/zorblit", encodeWithZorblit<1>, picture);
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
