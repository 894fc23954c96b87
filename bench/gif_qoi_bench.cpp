// GIF decoding beside giflib and stb_image, on benchmark photos quantised to 256
// colours and written by giflib; QOI decoding beside our own PNG reader on the
// same picture. Every decoder produces 32-bit pixels.
#include <gif_lib.h>

#include <cstring>
#include <string>

#include "decode_bench.h"
#include "writers/image_encoders.h"

namespace zorblit::bench {
namespace {

struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> planes[3];  // red, green, blue
};

Rgb rgbPlanes(const char *name) {
    const Bytes file = readBenchPicture(name);
    Rgb rgb;
    int channels;
    stbi_uc *pixels = stbi_load_from_memory(file.data(), int(file.size()), &rgb.width, &rgb.height, &channels, 3);
    for (int c = 0; c < 3; ++c)
        for (size_t i = 0; pixels && i < size_t(rgb.width) * rgb.height; ++i) rgb.planes[c].push_back(pixels[i * 3 + c]);
    stbi_image_free(pixels);
    return rgb;
}

Bytes gifFile(const char *name) {
    Rgb rgb = rgbPlanes(name);
    std::vector<GifByteType> indices(size_t(rgb.width) * rgb.height);
    GifColorType colours[256];
    int mapSize = 256, error = 0;
    GifQuantizeBuffer(unsigned(rgb.width), unsigned(rgb.height), &mapSize, rgb.planes[0].data(), rgb.planes[1].data(),
                      rgb.planes[2].data(), indices.data(), colours);
    Bytes out;
    GifFileType *gif = EGifOpen(&out, [](GifFileType *g, const GifByteType *bytes, int n) {
        auto &o = *static_cast<Bytes *>(g->UserData);
        o.insert(o.end(), bytes, bytes + n);
        return n;
    }, &error);
    ColorMapObject *map = GifMakeMapObject(256, colours);
    EGifPutScreenDesc(gif, rgb.width, rgb.height, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, rgb.width, rgb.height, false, nullptr);
    for (int y = 0; y < rgb.height; ++y) EGifPutLine(gif, indices.data() + size_t(y) * rgb.width, rgb.width);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

void giflibDecode(benchmark::State &state, const Bytes &file) {
    struct Source { const Bytes &bytes; size_t at; };
    size_t bytes = 0;
    for (auto _ : state) {
        Source source{file, 0};
        int error = 0;
        GifFileType *gif = DGifOpen(&source, [](GifFileType *g, GifByteType *buffer, int n) {
            auto &s = *static_cast<Source *>(g->UserData);
            std::memcpy(buffer, s.bytes.data() + s.at, size_t(n));
            s.at += size_t(n);
            return n;
        }, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK) {
            state.SkipWithError("giflib failed");
            DGifCloseFile(gif, &error);
            break;
        }
        // Pixels through the colour map, as the other readers give them.
        const SavedImage &image = gif->SavedImages[0];
        const ColorMapObject *map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        std::vector<uint32_t> pixels(size_t(gif->SWidth) * gif->SHeight);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const GifColorType c = map->Colors[image.RasterBits[i]];
            pixels[i] = 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
        }
        benchmark::DoNotOptimize(pixels.data());
        bytes = pixels.size() * 4;
        DGifCloseFile(gif, &error);
    }
    setBytes(state, bytes);
}

Bytes qoiFile(const char *name) {
    const Bytes png = readBenchPicture(name);
    GFXimage image{};
    pngLoadMem(&image, png.data(), uint32_t(png.size()));
    Bytes qoi;
    encodeQoi(image, false, qoi);
    FreeImage(&image);
    return qoi;
}

const bool registered = [] {
    const auto add = [](const std::string &name, auto run, const Bytes &file) {
        benchmark::RegisterBenchmark(name.c_str(), [run, file](benchmark::State &state) { run(state, file); })
            ->Unit(benchmark::kMillisecond);
    };
    for (const char *picture : {"photo_rgb8.png", "synth_rgb8.png"}) {
        const std::string base = std::string(picture, std::strlen(picture) - 4);
        const Bytes gif = gifFile(picture), qoi = qoiFile(picture);
        add("GifDecode." + base + ".vs_giflib/giflib", giflibDecode, gif);
        add("GifDecode." + base + ".vs_giflib/zorblit", zorblitDecodeBytes<gifLoadMem>, gif);
        add("GifDecode." + base + ".vs_stb/stb_image", stbDecodeBytes, gif);
        add("GifDecode." + base + ".vs_stb/zorblit", zorblitDecodeBytes<gifLoadMem>, gif);
        add("QoiDecode." + base + ".vs_our_png/png_zorblit", zorblitDecodeBytes<pngLoadMem>, readBenchPicture(picture));
        add("QoiDecode." + base + ".vs_our_png/zorblit", zorblitDecodeBytes<qoiLoadMem>, qoi);
    }
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
