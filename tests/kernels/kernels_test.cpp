// Every kernel, at every level the processor has, equals its plain variant bit
// for bit. A level the processor lacks is reported as skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "core/form.h"
#include "kernels/adler32.h"
#include "kernels/blend_run.h"
#include "kernels/column_fetch.h"
#include "kernels/idct.h"
#include "kernels/line_store.h"
#include "kernels/png_unfilter.h"
#include "kernels/rotation_indices.h"
#include "kernels/ycc_row.h"
#include "kernels/zoom_row.h"
#include "loaders/jpeg_idct.h"
#include "test_images.h"

namespace zorblit::kernels {
namespace {

using test::TestRandom;

class EveryLevel : public testing::TestWithParam<Level> {
protected:
    void SetUp() override {
        if (GetParam() > detectedLevel()) GTEST_SKIP() << "this processor has no " << levelName(GetParam());
    }
    Level level() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Kernels, EveryLevel, testing::Values(Level::SSE2, Level::AVX2, Level::AVX512),
                         [](const testing::TestParamInfo<Level> &param) { return std::string(levelName(param.param)); });

// Run lengths: every size up to 67 (every tail after 4, 8 and 16 steps) and two
// long ones.
std::vector<size_t> runLengths() {
    std::vector<size_t> lengths;
    for (size_t n = 0; n <= 67; ++n) lengths.push_back(n);
    lengths.push_back(1000);
    lengths.push_back(4099);
    return lengths;
}

// Pixels, or bytes, with 0 and 255 in one byte of two.
template <class T = uint32_t>
std::vector<T> biased(TestRandom &random, size_t count) {
    std::vector<T> values(count);
    for (T &value : values) value = T(random.biasedPixel());
    return values;
}

// Runs `call(level, out)` with the plain level and with the one tested, each on
// its own copy of `out`: both must leave the same values.
template <class T, class Call>
testing::AssertionResult sameAsPlain(Level level, std::vector<T> out, Call call) {
    std::vector<T> plain = out;
    call(Level::Plain, plain);
    call(level, out);
    const size_t k = size_t(std::mismatch(plain.begin(), plain.end(), out.begin()).first - plain.begin());
    if (k == out.size()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "at " << k << ": plain " << +plain[k] << ", this level " << +out[k];
}

// The three ways a run is called: in place (dest == b), onto a or into a third
// buffer; every start alignment within a cache line. Guard pixels around dest
// show writes outside the run. Biased pixels (0 and 255 in one byte of two) and
// the value, 0 one time in four, reach every operator's extremes.
template <BlendOp Op>
void expectBlendRunMatchesPlain(Level level) {
    TestRandom random{uint64_t(Op) + 1};
    constexpr size_t kGuard = 16;
    for (const size_t count : runLengths())
        for (size_t offset = 0; offset < 16; offset += count > 100 ? 5 : 1)
            for (int layout = 0; layout < 3; ++layout) {
                const uint8_t value = uint8_t(random.range(0, 3) == 0 ? 0 : random.range(0, 255));
                const std::vector<uint32_t> a = biased(random, count + 2 * kGuard);
                const std::vector<uint32_t> b = biased(random, count + 2 * kGuard);
                ASSERT_TRUE(sameAsPlain(level, biased(random, count + 2 * kGuard), [&](Level l, auto &out) {
                    std::vector<uint32_t> aa = a, bb = b;
                    uint32_t *dest = out.data() + offset;
                    const uint32_t *sourceA = layout == 1 ? dest : aa.data() + (offset * 3) % 16;
                    const uint32_t *sourceB = layout == 0 ? dest : bb.data() + (offset * 7) % 16;
                    blendRunVariant<Op>(l)(dest, sourceA, sourceB, count, value);
                })) << "op " << int(Op) << " count " << count << " offset " << offset << " layout " << layout;
            }
}

template <BlendOp... Ops>
void forEachOp(Level level) {
    (expectBlendRunMatchesPlain<Ops>(level), ...);
}

TEST_P(EveryLevel, BlendRunsMatchPlainAtEverySizeAlignmentAndLayout) {
    using B = BlendOp;
    forEachOp<B::Average, B::SaturatedAdd, B::SaturatedSub, B::Alpha, B::AlphaSkippingTransparent, B::AlphaValue,
              B::Invert, B::OpaqueAverageDown, B::OpaqueSaturatedAdd, B::OpaqueSaturatedSub, B::OpaqueAlpha,
              B::AlphaValueAllBytes>(level());
}

TEST_P(EveryLevel, ColourKeyRunsMatchPlain) {
    TestRandom random(3);
    for (const size_t count : runLengths())
        for (size_t offset = 0; offset < 8; ++offset) {
            const uint32_t key = random.biasedPixel();
            std::vector<uint32_t> source = biased(random, count + 8);
            for (uint32_t &p : source)
                if (random.range(0, 2) == 0) p = key;  // runs of keyed pixels
            ASSERT_TRUE(sameAsPlain(level(), biased(random, count + 16), [&](Level l, auto &out) {
                keyRunVariant(l)(out.data() + offset, source.data() + 8 - offset, count, key);
            })) << count << " " << offset;
        }
}

// Separate runs at every alignment, and runs overlapping either way by every
// amount up to a few registers (those go to memmove).
TEST_P(EveryLevel, CopyRunsMatchPlain) {
    TestRandom random(9);
    for (const size_t count : runLengths())
        for (size_t offset = 0; offset < 16; offset += count > 100 ? 5 : 1)
            for (const ptrdiff_t shift : {ptrdiff_t(-100), ptrdiff_t(-1), ptrdiff_t(0), ptrdiff_t(1), ptrdiff_t(3),
                                          ptrdiff_t(17), ptrdiff_t(64)}) {
                // -100 stands for a source in another buffer; else it lies shift pixels from dest
                const std::vector<uint32_t> other = biased(random, count + 16);
                ASSERT_TRUE(sameAsPlain(level(), biased(random, count + 200), [&](Level l, auto &out) {
                    uint32_t *dest = out.data() + 80 + offset;
                    copyRunVariant(l)(dest, shift == -100 ? other.data() + (offset * 7) % 16 : dest + shift, count);
                })) << count << " " << offset << " " << shift;
            }
}

// Stretches of exact values: dyadic starts and steps (as a float walk's
// stretches are), including halves that round to even, in an image small
// enough for the lanes and in one too wide for them.
TEST_P(EveryLevel, LineStoresMatchPlain) {
    TestRandom random(4);
    for (const uint32_t width : {67u, 40000u}) {
        const uint32_t height = width > 1000 ? 3 : 53;
        for (int trial = 0; trial < 400; ++trial) {
            const auto dyadic = [&](int64_t lo, int64_t hi) { return float(random.range(lo * 64, hi * 64)) / 64; };
            LineStretch s{dyadic(0, int64_t(width) - 1), dyadic(-1, 1), dyadic(0, height - 1), dyadic(-1, 1)};
            if (trial % 3 == 0) std::swap(s.dx, s.dy);
            const auto inside = [&](uint64_t k) {
                const float x = std::nearbyint(s.x + float(int64_t(k)) * s.dx);
                const float y = std::nearbyint(s.y + float(int64_t(k)) * s.dy);
                return x >= 0 && x <= float(width - 1) && y >= 0 && y <= float(height - 1);
            };
            uint64_t count = 0;  // as long as every pixel stays inside
            while (count < 300 && inside(count)) ++count;
            const uint32_t color = uint32_t(random.next());
            ASSERT_TRUE(sameAsPlain(level(), std::vector<uint32_t>(size_t(width) * height), [&](Level l, auto &out) {
                storeAlongVariant(l)(GFXimage{out.data(), width, height}, s, count, color);
            })) << trial << " count " << count;
        }
    }
}

TEST_P(EveryLevel, ZoomRowsMatchPlain) {
    TestRandom random(5);
    for (int trial = 0; trial < 600; ++trial) {
        const uint32_t width = trial % 50 == 0 ? 40000 : uint32_t(random.range(1, 67));
        const uint32_t height = width > 1000 ? 2 : uint32_t(random.range(1, 67));
        test::OwnedImage source(width, height);
        source.fillNoise(uint64_t(trial));
        const int64_t u = random.range(0, (int64_t(width) << 16) - 1), v = random.range(0, (int64_t(height) << 16) - 1);
        // Every other walk steps under a column and half a row per pixel, as the
        // permuted windows take them.
        const int64_t reach = trial % 2 ? 150000 : 65535;
        const int64_t du = random.range(-reach, reach), dv = random.range(-reach, reach) / (trial % 2 ? 1 : 3);
        int64_t count = 0;
        while (count < 200 && uint64_t((u + count * du) >> 16) < width && uint64_t((v + count * dv) >> 16) < height)
            ++count;
        ASSERT_TRUE(sameAsPlain(level(), std::vector<uint32_t>(size_t(count) + 4, 7u), [&](Level l, auto &out) {
            sampleAlongVariant(l)(out.data() + 1, count, u, v, du, dv, source);
        })) << trial;
    }
}

// Column maps as scales make them (non-decreasing, from a fraction of a column
// per pixel to several, reaching the row's last pixel) and unordered ones, on
// rows narrower and wider than the permuted windows; guard pixels show writes
// past the run.
TEST_P(EveryLevel, ColumnFetchesMatchPlain) {
    TestRandom random(9);
    constexpr size_t kGuard = 16;
    for (const size_t count : runLengths())
        for (int trial = 0; trial < 12; ++trial) {
            const uint32_t width = trial % 4 == 0 ? 5000 : uint32_t(random.range(1, 67));
            std::vector<uint32_t> row = biased(random, width);
            std::vector<uint32_t> columns(count);
            const double step = trial % 3 == 2 ? 0 : double(random.range(1, 4000)) / 1000;
            const double start = double(random.range(0, int64_t(width) - 1));
            for (size_t k = 0; k < count; ++k)
                columns[k] = step == 0 ? uint32_t(random.range(0, int64_t(width) - 1))
                                       : uint32_t(std::min(start + double(k) * step, double(width - 1)));
            ASSERT_TRUE(sameAsPlain(level(), biased(random, count + 2 * kGuard), [&](Level l, auto &out) {
                fetchColumnsVariant(l)(out.data() + trial % 8, row.data(), width, columns.data(), count);
            })) << "count " << count << " width " << width << " step " << step;
        }
}

template <class Form>
void expectSourceIndicesMatchPlain(Level level) {
    TestRandom random(6);
    for (int trial = 0; trial < 2000; ++trial) {
        const int32_t width = int32_t(random.range(1, trial % 10 == 0 ? 1000 : 67));
        const int32_t height = int32_t(random.range(1, 67));
        const double angle = double(random.range(0, 3599)) / 10 * std::numbers::pi / 180;
        const SampleGrid grid{{float(std::sin(angle)), float(std::cos(angle))}, float(width >> 1), float(height >> 1),
                              width, height};
        const int32_t count = int32_t(random.range(0, 64));
        const float fx0 = float(random.range(-2 * width, width)) - grid.cx;
        const float fy = float(random.range(-height, 2 * height)) - grid.cy;
        ASSERT_TRUE(sameAsPlain(level, std::vector<int32_t>(size_t(count)), [&](Level l, auto &out) {
            sourceIndicesVariant<Form>(l)(out.data(), count, fx0, fy, grid);
        })) << Form::name << " " << trial;
    }
}

TEST_P(EveryLevel, RotationSourceIndicesMatchPlainInBothForms) {
    expectSourceIndicesMatchPlain<Packed>(level());
    expectSourceIndicesMatchPlain<Portable>(level());
}

TEST_P(EveryLevel, InverseDctMatchesPlainOnRealAndHostileBlocks) {
    TestRandom random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        // Real pictures keep coefficients near +-1024; hostile data reaches 2^23.
        const int64_t limit = trial % 3 == 0 ? (int64_t(1) << 23) : 1100;
        int32_t block[64] = {};
        const int rows = int(random.range(1, 8)), used = int(random.range(1, 64));
        // Stored column by column: rows 0..rows-1 of every column.
        for (int i = 0; i < used; ++i)
            block[random.range(0, 7) * 8 + random.range(0, rows - 1)] = int32_t(random.range(-limit, limit));
        // Rows without AC terms, whose shortcut differs from the transform when it wraps.
        if (trial % 4 == 1)
            for (int r = 0; r < rows; ++r)
                if (random.range(0, 1) != 0)
                    for (int c = 1; c < 8; ++c) block[c * 8 + r] = 0;
        ASSERT_TRUE(sameAsPlain(level(), std::vector<uint8_t>(8 * 11), [&](Level l, auto &out) {
            int32_t copy[64];
            std::memcpy(copy, block, sizeof block);
            inverseDctVariant(l)(copy, rows, out.data(), 11);
            for (const int32_t left : copy) ASSERT_EQ(left, 0) << "coefficients are cleared for the next block";
        })) << trial;
    }
}

TEST(PlainInverseDct, GivesFlatBlocksForDcOnly) {
    for (const int32_t dc : {-1 << 23, -2000, -1024, -33, -1, 0, 1, 7, 8, 500, 1016, 4000, 1 << 23}) {
        int32_t block[64] = {dc};
        uint8_t out[64];
        inverseDctVariant(Level::Plain)(block, 1, out, 8);
        for (const uint8_t sample : out) ASSERT_EQ(sample, jpeg::dcOnlySample(dc)) << dc;
    }
}

TEST_P(EveryLevel, PixelRowsMatchPlain) {
    TestRandom random(8);
    for (const size_t width : runLengths())
        for (const size_t components : {size_t(1), size_t(3)}) {
            const std::vector<uint8_t> planes[3] = {biased<uint8_t>(random, width), biased<uint8_t>(random, width),
                                                    biased<uint8_t>(random, width)};
            const uint8_t *rows[3] = {planes[0].data(), planes[1].data(), planes[2].data()};
            ASSERT_TRUE(sameAsPlain(level(), std::vector<uint32_t>(width), [&](Level l, auto &out) {
                pixelRowVariant(l)(rows, components, out.data(), uint32_t(width));
            })) << width << " " << components;
        }
}

// Every level against the plain one (zlib checks the sums the compressor writes)
// from every start state class: all-255 runs past the vector block limit are
// where lane sums overflow.
TEST_P(EveryLevel, Adler32MatchesPlain) {
    TestRandom random(9);
    std::vector<size_t> sizes = runLengths();
    for (const size_t size : {5535, 5536, 5552, 5553, 11104, 20000}) sizes.push_back(size);
    for (const size_t size : sizes)
        for (const bool saturated : {false, true})
            for (const uint32_t start : {1u, 0xFFF0FFF0u, uint32_t(random.next() % 65521) << 16 | 65520}) {
                const std::vector<uint8_t> bytes =
                    saturated ? std::vector<uint8_t>(size + 7, 255) : biased<uint8_t>(random, size + 7);
                const size_t offset = size % 7;
                const uint32_t expected = adler32Variant(Level::Plain)(start, bytes.data() + offset, size);
                ASSERT_EQ(adler32Variant(level())(start, bytes.data() + offset, size), expected)
                    << size << " " << saturated << " " << start;
            }
}

// Every filter type (5 and up change nothing) at every filter step, rows of
// every pixel count up to 40 and a long one, above rows random or zero (a pass's
// first row); guard bytes after the row show stores past its end.
TEST_P(EveryLevel, PngUnfilterMatchesPlain) {
    TestRandom random(10);
    constexpr size_t kGuard = 16;
    for (const unsigned step : {1u, 2u, 3u, 4u, 6u, 8u})
        for (uint8_t filter = 0; filter <= 5; ++filter)
            for (size_t pixels = 0; pixels <= 41; ++pixels) {
                const size_t size = (pixels == 41 ? 1000 : pixels) * step;
                const bool zeroAbove = random.range(0, 3) == 0;
                const std::vector<uint8_t> above = zeroAbove ? std::vector<uint8_t>(size) : biased<uint8_t>(random, size);
                ASSERT_TRUE(sameAsPlain(level(), biased<uint8_t>(random, size + kGuard), [&](Level l, auto &out) {
                    unfilterRowVariant(l)(filter, out.data(), above.data(), size, step);
                })) << "step " << step << " filter " << int(filter) << " size " << size;
            }
}

}  // namespace
}  // namespace zorblit::kernels
