// Bulk memory and blits at 1024x768 beside memcpy/memset, SDL2 and pixman.
#include <SDL.h>
#include <pixman.h>

#include "bench_util.h"
#include "blit/blit.h"

namespace zorblit::bench {
namespace {

constexpr uint32_t W = 1024, H = 768;

SDL_Surface *surfaceOver(const GFXimage &image) {
    return SDL_CreateRGBSurfaceWithFormatFrom(image.data, int(image.width), int(image.height), 32,
                                              int(image.width * 4), SDL_PIXELFORMAT_ARGB8888);
}

pixman_image_t *pixmanOver(const GFXimage &image) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, int(image.width), int(image.height), image.data,
                                    int(image.width * 4));
}

// -- fill
void fillMemset(benchmark::State &state) {
    BenchImage dest(W, H);
    for (auto _ : state) {
        std::memset(dest.image.data, 0x5A, dest.bytes());
        benchmark::ClobberMemory();
    }
    setBytes(state, dest.bytes());
}
void fillSdl(benchmark::State &state) {
    BenchImage dest(W, H);
    SDL_Surface *surface = surfaceOver(dest);
    for (auto _ : state) SDL_FillRect(surface, nullptr, 0x5A5A5A5A);
    SDL_FreeSurface(surface);
    setBytes(state, dest.bytes());
}
void fillPixman(benchmark::State &state) {
    BenchImage dest(W, H);
    for (auto _ : state)
        pixman_fill(dest.image.data, int(W), 32, 0, 0, int(W), int(H), 0x5A5A5A5A);
    setBytes(state, dest.bytes());
}
void fillZorblit(benchmark::State &state) {
    BenchImage dest(W, H);
    for (auto _ : state) {
        FastFill(dest.image.data, W * H, 0x5A5A5A5A);
        benchmark::ClobberMemory();
    }
    setBytes(state, dest.bytes());
}
BENCHMARK(fillMemset)->Name("FastFill/1024x768/memset");
BENCHMARK(fillSdl)->Name("FastFill/1024x768/sdl2");
BENCHMARK(fillPixman)->Name("FastFill/1024x768/pixman");
BENCHMARK(fillZorblit)->Name("FastFill/1024x768/zorblit");

// -- move and copy blits
void moveMemcpy(benchmark::State &state) {
    BenchImage source(W, H), dest(W, H);
    for (auto _ : state) {
        std::memcpy(dest.image.data, source.image.data, dest.bytes());
        benchmark::ClobberMemory();
    }
    setBytes(state, 2 * dest.bytes());
}
void movePixman(benchmark::State &state) {
    BenchImage source(W, H), dest(W, H);
    for (auto _ : state)
        pixman_blt(source.image.data, dest.image.data, int(W), int(W), 32, 32, 0, 0, 0, 0, int(W), int(H));
    setBytes(state, 2 * dest.bytes());
}
void moveZorblit(benchmark::State &state) {
    BenchImage source(W, H), dest(W, H);
    for (auto _ : state) {
        FastMove(source.image.data, dest.image.data, W * H);
        benchmark::ClobberMemory();
    }
    setBytes(state, 2 * dest.bytes());
}
BENCHMARK(moveMemcpy)->Name("FastMove/1024x768/memcpy");
BENCHMARK(movePixman)->Name("FastMove/1024x768/pixman_blt");
BENCHMARK(moveZorblit)->Name("FastMove/1024x768/zorblit");

// -- sprite modes: our clipped blit beside the peers' equivalent operation
// Memcpy copies the source over the destination: the bandwidth peer at the
// screen's size, and in cache a probe (the traffic of a blend without its reads
// of the destination, a bound for the simplest blends).
enum class Peer { SdlCopy, SdlBlend, SdlKey, SdlAdd, SdlAlphaMod, PixmanSrc, PixmanOver, PixmanAdd, Memcpy };

// Sprites of the screen's size stream from memory and count every image an
// iteration reads or writes, so they compare with memcpy as bandwidth: two for
// a copy (and memcpy), three for the blends and the colour key, which read the
// destination too. 256x256 sprites stay in cache and count the destination only.
struct Size {
    uint32_t width, height;
    int images;
};
constexpr Size kScreenCopy{W, H, 2}, kScreen{W, H, 3}, kInCache{256, 256, 1};

void peerBlit(benchmark::State &state, Peer peer, Size size) {
    const int w = int(size.width), h = int(size.height);
    BenchImage source(size.width, size.height, 2), dest(size.width, size.height, 3);
    SDL_Surface *src = surfaceOver(source), *dst = surfaceOver(dest);
    pixman_image_t *psrc = pixmanOver(source), *pdst = pixmanOver(dest);
    switch (peer) {
        case Peer::SdlCopy: SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE); break;
        case Peer::SdlBlend: SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND); break;
        case Peer::SdlKey:
            SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
            SDL_SetColorKey(src, SDL_TRUE, 0xFF000000);
            break;
        case Peer::SdlAdd: SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_ADD); break;
        case Peer::SdlAlphaMod:
            SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND);
            SDL_SetSurfaceAlphaMod(src, 128);
            break;
        default: break;
    }
    for (auto _ : state) {
        switch (peer) {
            case Peer::PixmanSrc:
                pixman_image_composite32(PIXMAN_OP_SRC, psrc, nullptr, pdst, 0, 0, 0, 0, 0, 0, w, h);
                break;
            case Peer::PixmanOver:
                pixman_image_composite32(PIXMAN_OP_OVER, psrc, nullptr, pdst, 0, 0, 0, 0, 0, 0, w, h);
                break;
            case Peer::PixmanAdd:
                pixman_image_composite32(PIXMAN_OP_ADD, psrc, nullptr, pdst, 0, 0, 0, 0, 0, 0, w, h);
                break;
            case Peer::Memcpy: std::memcpy(dest.image.data, source.image.data, dest.bytes()); break;
            default: SDL_BlitSurface(src, nullptr, dst, nullptr); break;
        }
        benchmark::ClobberMemory();
    }
    pixman_image_unref(psrc);
    pixman_image_unref(pdst);
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
    setBytes(state, size.images * dest.bytes());
}

// Ours at the processor's level, with the kernels forced to a lower one (rows
// named zorblit_avx2, zorblit_sse2), and in the portable form (zorblit_portable).
template <class Blit>
void ourBlit(benchmark::State &state, Blit blit, Size size, std::optional<kernels::Level> level) {
    BenchImage source(size.width, size.height, 2), dest(size.width, size.height, 3);
    setClipRectangle(0, 0, int32_t(size.width), int32_t(size.height));  // the portable form obeys it
    const KernelLevel forced(state, level);
    for (auto _ : state) {
        blit(dest.image, source.image);
        benchmark::ClobberMemory();
    }
    setBytes(state, size.images * dest.bytes());
}

#define OUR_ROW(group, impl, call, size, level) \
    BENCHMARK_CAPTURE(ourBlit, impl, [](GFXimage d, GFXimage s) { call; }, size, level)->Name(group "/" #impl)
#define PEER(group, name, peer, size) BENCHMARK_CAPTURE(peerBlit, name, Peer::peer, size)->Name(group "/" #name)
#define OURS(group, call, size)                      \
    OUR_ROW(group, zorblit, call, size, kDetected); \
    OUR_ROW(group, zorblit_avx2, call, size, kAvx2)
#define OURS_IN_CACHE(group, call, mode, parameter)                                                                 \
    OURS(group, call, kInCache);                                                                                   \
    OUR_ROW(group, zorblit_sse2, call, kInCache, kSse2);                                                           \
    OUR_ROW(group, zorblit_portable, (blitClip<Portable, SpriteMode::mode>(d, 0, 0, s, parameter)), kInCache, \
            kDetected)

PEER("putImageClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putImageClip/1024x768", memcpy_like_sdl2, SdlCopy, kScreenCopy);
PEER("putImageClip/1024x768", pixman_src, PixmanSrc, kScreenCopy);
OUR_ROW("putImageClip/1024x768", zorblit, putImageClip(d, 0, 0, s), kScreenCopy, kDetected);
PEER("putSpriteClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putSpriteClip/1024x768", sdl2_colorkey, SdlKey, kScreen);
OURS("putSpriteClip/1024x768", putSpriteClip(d, 0, 0, s, 0xFF000000), kScreen);
PEER("putSpriteAlphaClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putSpriteAlphaClip/1024x768", sdl2_blend, SdlBlend, kScreen);
PEER("putSpriteAlphaClip/1024x768", pixman_over, PixmanOver, kScreen);
OURS("putSpriteAlphaClip/1024x768", putSpriteAlphaClip(d, 0, 0, s), kScreen);
PEER("putSpriteAlphaValueClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putSpriteAlphaValueClip/1024x768", sdl2_alphamod, SdlAlphaMod, kScreen);
OURS("putSpriteAlphaValueClip/1024x768", putSpriteAlphaValueClip(d, 0, 0, s, 128), kScreen);
PEER("putSpriteAverageClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putSpriteAverageClip/1024x768", sdl2_blend, SdlBlend, kScreen);
OURS("putSpriteAverageClip/1024x768", putSpriteAverageClip(d, 0, 0, s), kScreen);
PEER("putSpriteSaturatedAddClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putSpriteSaturatedAddClip/1024x768", sdl2_add, SdlAdd, kScreen);
PEER("putSpriteSaturatedAddClip/1024x768", pixman_add, PixmanAdd, kScreen);
OURS("putSpriteSaturatedAddClip/1024x768", putSpriteSaturatedAddClip(d, 0, 0, s), kScreen);
PEER("putSpriteSaturatedSubClip/1024x768", memcpy, Memcpy, kScreenCopy);
PEER("putSpriteSaturatedSubClip/1024x768", sdl2_blend, SdlBlend, kScreen);
OURS("putSpriteSaturatedSubClip/1024x768", putSpriteSaturatedSubClip(d, 0, 0, s), kScreen);

PEER("putSpriteAlphaClip/256x256", pixman_over, PixmanOver, kInCache);
OURS_IN_CACHE("putSpriteAlphaClip/256x256", putSpriteAlphaClip(d, 0, 0, s), Alpha, 0);
PEER("putSpriteAlphaValueClip/256x256", pixman_over, PixmanOver, kInCache);
OURS_IN_CACHE("putSpriteAlphaValueClip/256x256", putSpriteAlphaValueClip(d, 0, 0, s, 128), AlphaValue, 128);
PEER("putSpriteClip/256x256", sdl2_colorkey, SdlKey, kInCache);
OURS_IN_CACHE("putSpriteClip/256x256", putSpriteClip(d, 0, 0, s, 0xFF000000), ColourKey, 0xFF000000);
PEER("putSpriteAverageClip/256x256", pixman_add, PixmanAdd, kInCache);
PEER("putSpriteAverageClip/256x256", memcpy_probe, Memcpy, kInCache);
OURS_IN_CACHE("putSpriteAverageClip/256x256", putSpriteAverageClip(d, 0, 0, s), Average, 0);
PEER("putSpriteSaturatedAddClip/256x256", pixman_add, PixmanAdd, kInCache);
PEER("putSpriteSaturatedAddClip/256x256", memcpy_probe, Memcpy, kInCache);
OURS_IN_CACHE("putSpriteSaturatedAddClip/256x256", putSpriteSaturatedAddClip(d, 0, 0, s), SaturatedAdd, 0);
PEER("putSpriteSaturatedSubClip/256x256", pixman_add, PixmanAdd, kInCache);
PEER("putSpriteSaturatedSubClip/256x256", memcpy_probe, Memcpy, kInCache);
OURS_IN_CACHE("putSpriteSaturatedSubClip/256x256", putSpriteSaturatedSubClip(d, 0, 0, s), SaturatedSub, 0);

// The level the kernels run at, in the benchmark's context lines.
const bool kLevelShown = [] {
    benchmark::AddCustomContext("kernel level", kernels::levelName(kernels::activeLevel()));
    return true;
}();

}  // namespace
}  // namespace zorblit::bench
