// Any rectangle, position, angle, zoom or image size, including 0 and the ends of
// int32 and float: no transform touches memory outside either image. Run in the
// sanitizer build, where reads outside the source are caught as well; guard words
// around the destination catch stray writes in every build.
#include <bit>
#include <cmath>

#include "transform/rotate.h"
#include "transform/rotozoom.h"
#include "transform/scale.h"
#include "transform_test_util.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using test::TestRandom;

constexpr size_t kGuardWords = 64;
constexpr uint32_t kGuard = 0xDEADBEEF;

// A destination inside a larger block whose ends must stay untouched.
struct GuardedImage {
    std::vector<uint32_t> block;
    GFXimage image;
    GuardedImage(uint32_t width, uint32_t height)
        : block(size_t(width) * height + 2 * kGuardWords, kGuard), image{block.data() + kGuardWords, width, height} {}
    operator GFXimage() const { return image; }
    bool guardsIntact() const {
        const auto guard = [](uint32_t word) { return word == kGuard; };
        return std::all_of(block.begin(), block.begin() + kGuardWords, guard) &&
               std::all_of(block.end() - kGuardWords, block.end(), guard);
    }
};

// Small sizes, 0 often.
uint32_t randomSize(TestRandom &random) { return random.next() % 4 == 0 ? 0 : uint32_t(random.range(1, 9)); }

// Any float bit pattern now and then (NaN, infinities, subnormals, huge values).
float randomFloat(TestRandom &random) {
    switch (random.next() % 4) {
        case 0: return std::bit_cast<float>(uint32_t(random.next()));
        case 1: return float(random.range(-4, 4));
        default: return float(random.range(-100000, 100000)) / 10000;
    }
}

void randomClipRectangle(TestRandom &random) {
    setClipRectangle(random.coordinate(10), random.coordinate(10), random.coordinate(10), random.coordinate(10));
}

template <class Form>
class BadInput : public ::testing::Test {};
TYPED_TEST_SUITE(BadInput, test::Forms);

TYPED_TEST(BadInput, ScaleStaysInsideBothImages) {
    TestRandom random(21);
    for (int round = 0; round < 3000; ++round) {
        OwnedImage source(randomSize(random), randomSize(random));
        source.fillNoise(round);
        GuardedImage dest(randomSize(random), randomSize(random));
        randomClipRectangle(random);
        // Corners far away make rectangles of up to 2^32 pixels; keep those rare,
        // since sampling one costs up to a few ten million float additions.
        const auto corner = [&] { return round % 64 ? int32_t(random.range(-20, 20)) : random.coordinate(10); };
        const int32_t x1 = corner(), y1 = corner(), x2 = corner(), y2 = corner();
        test::withMode(test::kAllModes[round % 7], [&](auto m) {
            scale<TypeParam, m()>(dest, x1, y1, x2, y2, source, uint32_t(random.next()));
        });
        ASSERT_TRUE(dest.guardsIntact()) << "round " << round;
    }
}

TYPED_TEST(BadInput, RotateStaysInsideBothImages) {
    TestRandom random(22);
    for (int round = 0; round < 3000; ++round) {
        OwnedImage source(randomSize(random), randomSize(random));
        source.fillNoise(round);
        GuardedImage dest(randomSize(random), randomSize(random));
        randomClipRectangle(random);
        const int32_t x = random.coordinate(10), y = random.coordinate(10);
        const int32_t angle = random.next() % 2 ? int32_t(random.next()) : int32_t(random.range(-400, 800));
        test::withMode(test::kAllModes[round % 7], [&](auto m) {
            rotate<TypeParam, m()>(dest, x, y, angle, source, uint32_t(random.next()));
        });
        ASSERT_TRUE(dest.guardsIntact()) << "round " << round;
    }
}

TEST(BadInput, RotoZoomStaysInsideBothImages) {
    TestRandom random(23);
    for (int round = 0; round < 3000; ++round) {
        OwnedImage source(randomSize(random), randomSize(random));
        source.fillNoise(round);
        GuardedImage dest(randomSize(random), randomSize(random));
        const float angle = randomFloat(random), zoom = randomFloat(random);
        (round % 2 ? RotoZoomImage : RotoZoomImageNoRepeat)(dest, source, angle, zoom);
        ASSERT_TRUE(dest.guardsIntact()) << "round " << round << " angle " << angle << " zoom " << zoom;
    }
}

}  // namespace
}  // namespace zorblit
