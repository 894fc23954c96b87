// The procedural pictures: sine plasma in both forms, subdivision plasma and the
// particle glow, including empty images and arguments that are not numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <vector>

#include "effects/random.h"
#include "effects/sine_plasma.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

bool allPixelsAre(const OwnedImage &image, uint32_t value) {
    const std::vector<uint32_t> pixels = image.pixels();
    return std::all_of(pixels.begin(), pixels.end(), [value](uint32_t p) { return p == value; });
}

uint32_t channel(uint32_t p, int shift) { return p >> shift & 0xFF; }

template <class Form>
class SinePlasma : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(SinePlasma, Forms);

// Flat waves, levels out of range (the packed form clamps, the portable one
// wraps modulo 256) and waves or levels that are not finite numbers.
TYPED_TEST(SinePlasma, FlatAndDegenerateArguments) {
    using F = TypeParam;
    OwnedImage image(5, 3);  // packed: four pixels in the lanes, one in the tail
    const struct {
        float dx, dy, brightness;
        uint32_t portable, packed;
    } cases[] = {{0, 0, 256, 0xFF7F7F7F, 0xFF7F7F7F},   {0, 0, 512, 0xFFFEFEFE, 0xFFFEFEFE},
                 {0, 0, 768, 0xFF7D7D7D, 0xFFFFFFFF},   {0, 0, -256, 0xFF818181, 0xFF000000},
                 {kNaN, 0.1f, 256, 0xFF000000, 0xFF000000}, {0.1f, kNaN, 256, 0xFF000000, 0xFF000000},
                 {kInfinity, 0.1f, 256, 0xFF000000, 0xFF000000}, {0.1f, -kInfinity, 256, 0xFF000000, 0xFF000000},
                 {0, 0, kNaN, 0xFF000000, 0xFF000000},  {0, 0, kInfinity, 0xFF000000, 0xFFFFFFFF}};
    for (const auto &c : cases) {
        image.fill(0x12345678);
        sinePlasma<F>(image, c.dx, c.dy, c.brightness);
        EXPECT_TRUE(allPixelsAre(image, F::packed ? c.packed : c.portable)) << c.dx << " " << c.dy << " " << c.brightness;
    }
    sinePlasma<F>(GFXimage{nullptr, 0, 4}, 0.1f, 0.1f, 256);
    sinePlasma<F>(GFXimage{nullptr, 4, 0}, 0.1f, 0.1f, 256);
}

// Within one level of the formula evaluated in double at every pixel.
TYPED_TEST(SinePlasma, FollowsTheDirectFormula) {
    const float dx = 0.0731f, dy = 0.0419f, brightness = 256;
    OwnedImage image(203, 150);
    sinePlasma<TypeParam>(image, dx, dy, brightness);
    for (uint32_t y = 0; y < image.height(); ++y)
        for (uint32_t x = 0; x < image.width(); ++x) {
            const double level = (63.5 * std::sin(x * double(dx)) + 63.5 * std::sin(y * double(dy)) + 127) * brightness / 256;
            const uint32_t p = image.at(x, y);
            ASSERT_EQ(p >> 24, 0xFFu);
            ASSERT_EQ(channel(p, 0), channel(p, 16));
            ASSERT_LE(std::abs(double(channel(p, 0)) - level), 1.0) << x << "," << y;
        }
}

OwnedImage subPlasma(uint32_t w, uint32_t h, int32_t step, int32_t seed, int32_t range, bool colour) {
    OwnedImage image(w, h);
    SubPlasmaImage(image, step, seed, range, colour);
    return image;
}

TEST(SubPlasma, DeterministicAndSeedSensitive) {
    const OwnedImage first = subPlasma(64, 48, 16, 42, 256, true);
    EXPECT_EQ(test::compareImages(subPlasma(64, 48, 16, 42, 256, true), first, "subplasma_repeat"), "");
    EXPECT_NE(subPlasma(64, 48, 16, 43, 256, true).pixels(), first.pixels());
}

// Step 1 is the raw grid: one draw per channel, row by row, and no interpolation.
TEST(SubPlasma, StepOneIsTheGeneratorsOutput) {
    for (bool colour : {false, true}) {
        const OwnedImage image = subPlasma(5, 4, 1, -9, 256, colour);
        RandomGenerator random{uint32_t(-9)};
        for (uint32_t y = 0; y < 4; ++y)
            for (uint32_t x = 0; x < 5; ++x) {
                const uint32_t r = random.draw(255), g = colour ? random.draw(255) : r, b = colour ? random.draw(255) : r;
                ASSERT_EQ(image.at(x, y), 0xFF000000u | r << 16 | g << 8 | b) << colour;
            }
    }
}

// The range masks the levels, also when it is not a power of two; grey uses one level.
TEST(SubPlasma, RangeMasksTheLevels) {
    for (auto [range, allowed] : {std::pair{2, 1u}, std::pair{3, 2u}}) {
        const OwnedImage image = subPlasma(32, 32, 8, 5, range, true);
        for (uint32_t p : image.pixels()) {
            ASSERT_EQ(p >> 24, 255u);
            for (int shift : {0, 8, 16}) ASSERT_LE(channel(p, shift), allowed) << range;
        }
        for (uint32_t y = 0; y < 32; y += 8)
            for (uint32_t x = 0; x < 32; x += 8)
                for (int shift : {0, 8, 16}) EXPECT_EQ(channel(image.at(x, y), shift) & ~allowed, 0u) << range;
    }
    for (uint32_t p : subPlasma(32, 16, 4, 5, 256, false).pixels()) ASSERT_EQ(p, greyPixel(p & 0xFF));
}

// Power-of-two sizes tile: the step across the right and bottom edges back to
// column and row 0 is as gentle as any step inside (cosine slope at most
// pi / 2 * 254 / 64 per pixel).
TEST(SubPlasma, TilesSeamlessly) {
    const OwnedImage image = subPlasma(256, 256, 64, 1234, 256, true);
    const auto gap = [&](uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1) {
        int largest = 0;
        for (int shift : {0, 8, 16})
            largest = std::max(largest, std::abs(int(channel(image.at(x0, y0), shift)) - int(channel(image.at(x1, y1), shift))));
        return largest;
    };
    for (uint32_t i = 0; i < 256; ++i) {
        EXPECT_LE(gap(255, i, 0, i), 7) << i;
        EXPECT_LE(gap(i, 255, i, 0), 7) << i;
        EXPECT_LE(gap(127, i, 128, i), 7) << i;
    }
}

// Steps the loops could never finish draw nothing. Any size and any step
// otherwise covers every pixel and stays inside the image (the sanitizer build
// checks every access).
TEST(SubPlasma, StepsAndSizes) {
    OwnedImage image(16, 16);
    image.fill(0x01020304);
    for (int32_t step : {0, -1, 257, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        SubPlasmaImage(image, step, 1, 256, true);
        EXPECT_TRUE(allPixelsAre(image, 0x01020304)) << step;
    }
    for (auto [w, h] : {std::pair{100u, 70u}, std::pair{1u, 1u}, std::pair{3u, 300u}, std::pair{256u, 192u}})
        for (int32_t step : {1, 2, 7, 64, 256})
            for (uint32_t p : subPlasma(w, h, step, step, 256, true).pixels())
                ASSERT_EQ(p >> 24, 255u) << w << "x" << h << " step " << step;
    SubPlasmaImage(GFXimage{nullptr, 0, 8}, 4, 1, 256, true);
    SubPlasmaImage(GFXimage{nullptr, 8, 0}, 4, 1, 256, true);
}

TEST(Particle, CentreEdgeAndCornerLevels) {
    OwnedImage image(100, 100);
    ParticleImage(image, 0);
    EXPECT_TRUE(allPixelsAre(image, 0xFFFFFFFF));
    ParticleImage(image, 1);
    // Centre, edges, corner, and d = 0.5.
    for (const auto &[x, y, level] : {std::tuple{50u, 50u, 255}, {0u, 50u, 75}, {50u, 0u, 75}, {0u, 0u, 0}, {25u, 50u, 165}})
        EXPECT_EQ(image.at(x, y), greyPixel(uint8_t(level))) << x << "," << y;
}

TEST(Particle, DegenerateSizesAndFalloffs) {
    OwnedImage thin(1, 9);  // no half-width: the distance is not a number
    thin.fill(0x12345678);
    ParticleImage(thin, 1);
    EXPECT_TRUE(allPixelsAre(thin, greyPixel(0)));

    OwnedImage image(8, 6);
    ParticleImage(image, kNaN);
    EXPECT_TRUE(allPixelsAre(image, greyPixel(0)));
    ParticleImage(image, -kInfinity);  // the centre is 0 * infinity
    EXPECT_EQ(image.at(4, 3), greyPixel(0));
    EXPECT_EQ(image.at(0, 0), greyPixel(255));
    ParticleImage(image, kInfinity);
    EXPECT_TRUE(allPixelsAre(image, greyPixel(0)));
    ParticleImage(GFXimage{nullptr, 0, 5}, 1);
    ParticleImage(GFXimage{nullptr, 5, 0}, 1);
}

}  // namespace
}  // namespace zorblit
