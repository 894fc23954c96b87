// What the decoder benchmarks share: reading a benchmark picture, and the
// stb_image and zorblit rows, which differ only in the decoder called.
#pragma once
#include <stb/stb_image.h>

#include <fstream>
#include <string>
#include <vector>

#include "bench_util.h"

namespace zorblit::bench {

using Bytes = std::vector<uint8_t>;

inline Bytes readBenchPicture(const std::string &name) {
    std::ifstream in(std::string(ZORBLIT_BENCH_IMAGES) + "/" + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void stbDecodeBytes(benchmark::State &state, const Bytes &file) {
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
inline void stbDecode(benchmark::State &state, const char *name) { stbDecodeBytes(state, readBenchPicture(name)); }

// One of our memory readers (pngLoadMem, jpegLoadMem, ...) on a file in memory.
template <bool (*Load)(GFXimage *, const uint8_t *, uint32_t)>
void zorblitDecodeBytes(benchmark::State &state, const Bytes &file) {
    size_t bytes = 0;
    for (auto _ : state) {
        GFXimage image{};
        if (!Load(&image, file.data(), uint32_t(file.size()))) state.SkipWithError("zorblit reader failed");
        bytes = size_t(image.width) * image.height * 4;
        FreeImage(&image);
    }
    setBytes(state, bytes);
}
// The same on a benchmark picture.
template <bool (*Load)(GFXimage *, const uint8_t *, uint32_t)>
void zorblitDecode(benchmark::State &state, const char *name) {
    zorblitDecodeBytes<Load>(state, readBenchPicture(name));
}

}  // namespace zorblit::bench
