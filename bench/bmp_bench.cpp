// BMP decoding from memory beside SDL's reader; both produce 32-bit ARGB pixels.
#include <SDL.h>

#include <string>
#include <vector>

#include "bench_util.h"
#include "loaders/bmp.h"

namespace zorblit::bench {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kWidth = 1920, kHeight = 1080;

// A picture of the given SDL pixel format, saved as a BMP file in memory by SDL.
Bytes bitmapFile(uint32_t format) {
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, format);
    if (surface->format->palette)
        for (int i = 0; i < 256; ++i) surface->format->palette->colors[i] = {uint8_t(i), uint8_t(i * 3), uint8_t(255 - i), 255};
    uint32_t state = 1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < surface->pitch; ++x) {
            state = state * 1664525u + 1013904223u;
            static_cast<uint8_t *>(surface->pixels)[y * surface->pitch + x] = uint8_t(state >> 24);
        }
    Bytes file(size_t(kWidth) * kHeight * 4 + 4096);
    SDL_RWops *out = SDL_RWFromMem(file.data(), int(file.size()));
    SDL_SaveBMP_RW(surface, out, 0);
    file.resize(size_t(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return file;
}

void sdlDecode(benchmark::State &state, uint32_t format) {
    const Bytes file = bitmapFile(format);
    for (auto _ : state) {
        SDL_Surface *loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), int(file.size())), 1);
        SDL_Surface *argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
        if (!argb) state.SkipWithError("SDL_LoadBMP failed");
        SDL_FreeSurface(argb);
        SDL_FreeSurface(loaded);
    }
    setBytes(state, size_t(kWidth) * kHeight * 4);
}

void zorblitDecode(benchmark::State &state, uint32_t format) {
    const Bytes file = bitmapFile(format);
    for (auto _ : state) {
        GFXimage image{};
        if (!bmpDecode(&image, file.data(), uint32_t(file.size()))) state.SkipWithError("bmpDecode failed");
        FreeImage(&image);
    }
    setBytes(state, size_t(kWidth) * kHeight * 4);
}

const bool registered = [] {
    const std::pair<const char *, uint32_t> depths[] = {
        {"8bit", SDL_PIXELFORMAT_INDEX8}, {"24bit", SDL_PIXELFORMAT_BGR24}, {"32bit", SDL_PIXELFORMAT_ARGB8888}};
    for (const auto &[name, format] : depths) {
        const std::string group = std::string("BmpDecode.") + name;
        benchmark::RegisterBenchmark((group + "/sdl2").c_str(), sdlDecode, format)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((group + "/zorblit").c_str(), zorblitDecode, format)->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
