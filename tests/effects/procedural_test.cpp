// The procedural pictures (sine and subdivision plasma, particle glow) and the
// random generator behind the subdivision plasma.
#include <cmath>
#include <limits>
#include <tuple>

#include "effects/random.h"
#include "effects/sine_plasma.h"
#include "forms.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using V = std::vector<uint32_t>;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

bool allPixelsAre(const OwnedImage &image, uint32_t value) { return image.pixels() == V(image.pixels().size(), value); }
uint32_t channel(uint32_t p, int shift) { return p >> shift & 0xFF; }

template <class Form>
class SinePlasma : public ::testing::Test {};
TYPED_TEST_SUITE(SinePlasma, test::Forms);

// Flat waves, levels out of range (packed clamps, portable wraps modulo 256) and
// arguments that are not finite numbers; 5 wide puts a pixel in the packed tail.
TYPED_TEST(SinePlasma, FlatAndDegenerateArguments) {
    using F = TypeParam;
    OwnedImage image(5, 3);
    const struct { float dx, dy, brightness; uint32_t portable, packed; } cases[] = {
        {0, 0, 512, 0xFFFEFEFE, 0xFFFEFEFE},       {0, 0, 768, 0xFF7D7D7D, 0xFFFFFFFF},
        {0, 0, -256, 0xFF818181, 0xFF000000},      {kNaN, 0.1f, 256, 0xFF000000, 0xFF000000},
        {0.1f, -kInf, 256, 0xFF000000, 0xFF000000}, {0, 0, kInf, 0xFF000000, 0xFFFFFFFF}};
    for (const auto &c : cases) {  // the exported routine draws the built form's
        image.fill(0x12345678), sinePlasma<F>(image, c.dx, c.dy, c.brightness);
        EXPECT_TRUE(allPixelsAre(image, F::packed ? c.packed : c.portable)) << c.dx << " " << c.dy << " " << c.brightness;
        if (std::is_same_v<F, BuiltForm>) image.fill(0), SinePlasmaImage(image, c.dx, c.dy, c.brightness);
        EXPECT_TRUE(allPixelsAre(image, F::packed ? c.packed : c.portable));
    }
}

// Within one level of the formula evaluated in double at every pixel.
TYPED_TEST(SinePlasma, FollowsTheDirectFormula) {
    const float dx = 0.0731f, dy = 0.0419f;
    OwnedImage image(203, 150);
    sinePlasma<TypeParam>(image, dx, dy, 256);
    for (uint32_t y = 0; y < image.height(); ++y)
        for (uint32_t x = 0; x < image.width(); ++x) {
            const double level = 63.5 * std::sin(x * double(dx)) + 63.5 * std::sin(y * double(dy)) + 127;
            const uint32_t p = image.at(x, y);
            ASSERT_EQ(p, greyPixel(channel(p, 0)));
            ASSERT_LE(std::abs(double(channel(p, 0)) - level), 1.0) << x << "," << y;
        }
}

OwnedImage subPlasma(uint32_t w, uint32_t h, int32_t step, int32_t seed, int32_t range, bool colour) {
    OwnedImage image(w, h);
    SubPlasmaImage(image, step, seed, range, colour);
    return image;
}

// Step 1: one draw of the generator per channel, row by row, no interpolation
// (the draws of seed 7 pinned below).
TEST(SubPlasma, StepOneIsTheGeneratorsOutput) {
    const V grey{greyPixel(106), greyPixel(92), greyPixel(177), greyPixel(213)};
    EXPECT_EQ(subPlasma(2, 2, 1, 7, 256, false).pixels(), grey);
    EXPECT_EQ(subPlasma(2, 1, 1, 7, 256, true).pixels(), (V{0xFF6A5CB1, 0xFFD57B3D}));
}

// The range masks the levels at the grid points, also when it is not a power of
// two, and bounds them between; grey uses one level. Steps the loops could never
// finish draw nothing; any other step and size covers every pixel and stays
// inside the image (checked in the sanitizer build).
TEST(SubPlasma, RangesStepsAndSizes) {
    for (auto [range, allowed] : {std::pair{2, 1u}, std::pair{3, 2u}}) {
        const OwnedImage image = subPlasma(32, 32, 8, 5, range, true);
        for (uint32_t i = 0; i < 32 * 32 * 3; ++i) {
            const uint32_t x = i % 32, y = i / 32 % 32, level = channel(image.at(x, y), int(i / 1024 * 8));
            ASSERT_TRUE(level <= allowed && (x % 8 || y % 8 || (level & ~allowed) == 0)) << range << " " << i;
        }
    }
    for (uint32_t p : subPlasma(32, 16, 4, 5, 256, false).pixels()) ASSERT_EQ(p, greyPixel(p & 0xFF));
    OwnedImage image(16, 16);
    image.fill(0x01020304);
    for (int32_t step : {0, -1, 257, INT32_MIN, INT32_MAX}) SubPlasmaImage(image, step, 1, 256, true);
    EXPECT_TRUE(allPixelsAre(image, 0x01020304));
    for (auto [w, h] : {std::pair{100u, 70u}, {1u, 1u}, {3u, 300u}, {256u, 192u}})
        for (int32_t step : {1, 2, 7, 64, 256})
            for (uint32_t p : subPlasma(w, h, step, step, 256, true).pixels())
                ASSERT_EQ(p >> 24, 255u) << w << "x" << h << " step " << step;
}

// Power-of-two sizes tile: the step across the right and bottom edges back to
// column and row 0 is as gentle as one inside (cosine slope at most pi / 2 * 254 / 64).
TEST(SubPlasma, TilesSeamlessly) {
    const OwnedImage image = subPlasma(256, 256, 64, 1234, 256, true);
    const auto gap = [&](uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1) {
        const auto d = [&](int s) { return std::abs(int(channel(image.at(x0, y0), s)) - int(channel(image.at(x1, y1), s))); };
        return std::max({d(0), d(8), d(16)});
    };
    for (uint32_t i = 0; i < 256; ++i)
        ASSERT_LE(std::max({gap(255, i, 0, i), gap(i, 255, i, 0), gap(127, i, 128, i)}), 7) << i;
}

TEST(Particle, LevelsAndDegenerateArguments) {
    OwnedImage image(100, 100), thin(1, 9), small(8, 6);
    ParticleImage(image, 0);
    EXPECT_TRUE(allPixelsAre(image, 0xFFFFFFFF));
    ParticleImage(image, 1);  // centre, edges, corner, d = 0.5
    for (const auto &[x, y, level] :
         {std::tuple{50u, 50u, 255}, {0u, 50u, 75}, {50u, 0u, 75}, {0u, 0u, 0}, {25u, 50u, 165}})
        EXPECT_EQ(image.at(x, y), greyPixel(uint8_t(level))) << x << "," << y;

    ParticleImage(thin, 1);  // no half-width: the distance is not a number
    EXPECT_TRUE(allPixelsAre(thin, greyPixel(0)));
    for (float falloff : {kNaN, kInf}) {
        ParticleImage(small, falloff);
        EXPECT_TRUE(allPixelsAre(small, greyPixel(0))) << falloff;
    }
    ParticleImage(small, -kInf);  // the centre is 0 * infinity
    EXPECT_TRUE(small.at(4, 3) == greyPixel(0) && small.at(0, 0) == greyPixel(255));
}

// Values of the published splitmix64 and xoshiro128** definitions; a negative
// seed is taken as unsigned and widened with zeros. With n just above 2^31 about
// half of all draws are rejected, so those values need the exact threshold.
TEST(Random, OutputsAndDraws) {
    const auto outputs = [](int32_t seed, uint32_t n, size_t count) {
        RandomGenerator random{uint32_t(seed)};
        V out;
        while (out.size() < count) out.push_back(n ? random.draw(n) : random.next());
        return out;
    };
    EXPECT_EQ(outputs(0, 0, 6), (V{0xdec9045d, 0x9a089d75, 0xab77d362, 0xc3e16405, 0x5c95a8da, 0x60dea056}));
    EXPECT_EQ(outputs(-1, 0, 3), (V{0x13bdbe29, 0x894d4f2d, 0xa2d85227}));
    EXPECT_EQ(outputs(7, 255, 8), (V{106, 92, 177, 213, 123, 61, 197, 18}));
    EXPECT_EQ(outputs(7, 0x80000001u, 8),
              (V{900548384, 1496400421, 1794490270, 518404275, 1664062739, 817312590, 2107573228, 283544471}));
}

}  // namespace
}  // namespace zorblit
