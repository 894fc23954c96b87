#include "kernels/line_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace {

// Two interleaved chains of additions (pixels i and i + 1, each moved on by two
// increments) give the same values as one, as every value of a stretch is
// exact, and no addition waits for the one just before it.
template <class Put>
void putAlong(const GFXimage &image, const LineStretch &s, uint64_t first, uint64_t count, Put &put) {
    // The width as a local: a pixel store could otherwise change the image's fields.
    const auto index = [width = uint64_t(image.width)](float x, float y) {
        return uint64_t(std::llrint(y)) * width + uint64_t(std::llrint(x));
    };
    const auto at = [](float start, float step, uint64_t i) { return start + float(int64_t(i)) * step; };
    const float dx2 = s.dx * 2, dy2 = s.dy * 2;
    float x0 = at(s.x, s.dx, first), y0 = at(s.y, s.dy, first);
    float x1 = at(s.x, s.dx, first + 1), y1 = at(s.y, s.dy, first + 1);
    uint64_t i = first;
    for (; i + 2 <= count; i += 2, x0 += dx2, y0 += dy2, x1 += dx2, y1 += dy2) {
        put(index(x0, y0));
        put(index(x1, y1));
    }
    if (i < count) put(index(x0, y0));
}

}  // namespace

namespace plain {

void storeAlong(const GFXimage &image, const LineStretch &stretch, uint64_t count, uint32_t color) {
    const auto put = [data = image.data, color](uint64_t index) { data[index] = color; };
    putAlong(image, stretch, 0, count, put);
}

}  // namespace plain

#if defined(__x86_64__)
namespace sse2 {
using namespace x86;

// Stores one colour at pixels given in order, one by one, except that a pixel
// next to the one before it goes out with it in one eight-byte store.
class PairedStores {
public:
    PairedStores(uint32_t *data, uint32_t color) : data_(data), color_(color), pair_(color * 0x100000001u) {}

    void operator()(uint64_t index) {
        if (index == held_ + 1 || index + 1 == held_) {
            std::memcpy(data_ + std::min(index, held_), &pair_, sizeof pair_);
            held_ = kNone;
            return;
        }
        if (held_ != kNone) data_[held_] = color_;
        held_ = index;
    }
    void flush() {
        if (held_ != kNone) data_[held_] = color_;
    }

private:
    static constexpr uint64_t kNone = uint64_t(1) << 62;  // next to no index
    uint32_t *data_;
    uint32_t color_;
    uint64_t pair_;
    uint64_t held_ = kNone;
};

// The chains in the lanes of a register: (x, y) of two pixels, converted at once
// (to nearest, ties to even). In an image under 2^15 a side, positions and width
// fit 16 bits, and one multiply-add of the halves gives the indices: four pixels
// a round from two registers, then two; the rest as the plain walk does. Built
// into its caller, so that the state of put stays in registers: kept in memory,
// it took a store per pixel, and stores are what the line waits for.
template <class Put>
[[gnu::always_inline]] inline void putAlong(const GFXimage &image, const LineStretch &s, uint64_t count, Put &put) {
    uint64_t i = 0;
    if (image.width < 32768 && image.height < 32768) {
        const float dx2 = s.dx * 2, dy2 = s.dy * 2;
        __m128 first = _mm_setr_ps(s.x, s.y, s.x + s.dx, s.y + s.dy);
        __m128 second = _mm_setr_ps(s.x + 2 * s.dx, s.y + 2 * s.dy, s.x + 3 * s.dx, s.y + 3 * s.dy);
        const __m128 step = _mm_setr_ps(dx2, dy2, dx2, dy2), step4 = _mm_add_ps(step, step);
        const __m128i weights = _mm_set1_epi32(int32_t(image.width) << 16 | 1);
        for (; i + 4 <= count; i += 4, first = _mm_add_ps(first, step4), second = _mm_add_ps(second, step4)) {
            const __m128i indices =
                _mm_madd_epi16(_mm_packs_epi32(_mm_cvtps_epi32(first), _mm_cvtps_epi32(second)), weights);
            const uint64_t low = uint64_t(_mm_cvtsi128_si64(indices));
            const uint64_t high = uint64_t(_mm_cvtsi128_si64(_mm_unpackhi_epi64(indices, indices)));
            put(uint32_t(low));
            put(low >> 32);
            put(uint32_t(high));
            put(high >> 32);
        }
        for (; i + 2 <= count; i += 2, first = _mm_add_ps(first, step)) {
            const __m128i xy = _mm_cvtps_epi32(first);
            const uint64_t both = uint64_t(_mm_cvtsi128_si64(_mm_madd_epi16(_mm_packs_epi32(xy, xy), weights)));
            put(uint32_t(both));
            put(both >> 32);
        }
    }
    kernels::putAlong(image, s, i, count, put);
}

// Shallow stretches store pixel by pixel. Steeper than the diagonal, each row
// holds one or two pixels and has a cache line of its own; stores wait in line
// for those, and storing two pixels of a row at once keeps more rows in flight.
void storeAlong(const GFXimage &image, const LineStretch &stretch, uint64_t count, uint32_t color) {
    if (std::fabs(stretch.dy) <= std::fabs(stretch.dx)) {
        auto put = [data = image.data, color](uint64_t index) { data[index] = color; };
        putAlong(image, stretch, count, put);
        return;
    }
    PairedStores put(image.data, color);
    putAlong(image, stretch, count, put);
    put.flush();
}

}  // namespace sse2
#endif

using StoreAlongKernel = ZORBLIT_KERNEL(plain::storeAlong, sse2::storeAlong);

void storeAlong(const GFXimage &image, const LineStretch &stretch, uint64_t count, uint32_t color) {
    StoreAlongKernel::call(image, stretch, count, color);
}
StoreAlongFn storeAlongVariant(Level level) { return StoreAlongKernel::pick(level); }

}  // namespace zorblit::kernels
