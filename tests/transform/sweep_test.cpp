// Randomised sweeps: scaling and rotation against their walks written out per
// pixel, in every mode and both forms; then extreme arguments and sizes, where
// guard words (and the sanitizer build) catch any access outside either image.
#include <algorithm>
#include <bit>
#include <cmath>

#include "sprite_test_util.h"
#include "transform/rotate.h"
#include "transform/rotozoom.h"
#include "transform/scale.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using test::TestRandom;

// Inside dest, and inside the clip rectangle if the routine obeys it.
bool writable(const OwnedImage &dest, int64_t x, int64_t y, bool obeysClipRectangle) {
    return x >= 0 && y >= 0 && x < dest.width() && y < dest.height() &&
           (!obeysClipRectangle || (x >= clipX1 && y >= clipY1 && x < clipX2 && y < clipY2));
}

// Every destination pixel of the rectangle, samples by repeated float addition.
template <class Form, SpriteMode Mode>
void scalePerPixel(OwnedImage &dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const OwnedImage &source,
                   uint32_t parameter) {
    using Action = ScaleAction<Form, Mode>;
    const Action action{{parameter}};
    // The rectangle and steps come from the documented rules, written out here.
    ScaleRectangle rect{std::min(x1, x2), std::min(y1, y2), std::abs(int64_t(x2) - x1), std::abs(int64_t(y2) - y1)};
    if (Form::packed && x2 == 0 && y2 == 0) rect = {x1, y1, source.width(), source.height()};
    if (Form::packed && rect.width == 0) rect.width = source.width();
    if (Form::packed && rect.height == 0) rect.height = source.height();
    if (action.drawsNothing()) return;
    if (rect.width == 0 || rect.height == 0) {
        const size_t count = std::min(pixelCount(source), pixelCount(dest));
        if (Mode == SpriteMode::Copy) std::copy_n(source.get().data, count, dest.get().data);
        return;
    }
    const auto step = [](uint32_t from, int64_t to) {
        return Form::packed ? float(from) / float(to) : float(double(from) / double(to));
    };
    const float stepX = step(source.width(), rect.width), stepY = step(source.height(), rect.height);
    const auto sample = [](float f, uint32_t size) {
        const int64_t i = Form::packed ? int64_t(std::trunc(f)) : std::llrint(f);
        return uint32_t(std::min<int64_t>(i, size - 1));
    };
    float fy = 0;
    for (int64_t r = 0; r < rect.height; ++r, fy += stepY) {
        float fx = 0;
        for (int64_t c = 0; c < rect.width; ++c, fx += stepX) {
            const int64_t x = rect.left + c, y = rect.top + r;
            if (writable(dest, x, y, Action::obeysClipRectangle))
                action(source.at(sample(fx, source.width()), sample(fy, source.height())),
                       dest.at(uint32_t(x), uint32_t(y)));
        }
    }
}

// Every position of the bounding box, each tested on its own.
template <class Form, SpriteMode Mode>
void rotatePerPixel(OwnedImage &dest, int32_t x, int32_t y, int32_t degrees, const OwnedImage &source,
                    uint32_t parameter) {
    const SpriteAction<Form, Mode> action{parameter};
    degrees = reducedAngle(degrees);
    const RotatedBox box = rotatedBox<Form>(source, degrees);
    const InverseTurn turn = Form::inverseTurn(degrees);
    const float cx = float(source.width() >> 1), cy = float(source.height() >> 1);
    for (int64_t yy = box.minY; yy <= box.maxY; ++yy)
        for (int64_t xx = box.minX; xx <= box.maxX; ++xx) {
            const float fx = float(xx) - cx, fy = float(yy) - cy;
            float sampleX, sampleY;
            Form::rotatedSample(sampleX, sampleY, fx, fy, turn, cx, cy);
            const int64_t sx = std::llrint(sampleX), sy = std::llrint(sampleY);
            const int64_t dx = x + xx, dy = y + yy;
            const bool inSource = sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height();
            if (inSource && writable(dest, dx, dy, !Form::packed))
                action(source.at(uint32_t(sx), uint32_t(sy)), dest.at(uint32_t(dx), uint32_t(dy)));
        }
}

// The routine draws target from source, the walk expected from reference.
struct Round {
    OwnedImage &target, &source, &expected, &reference;
    int32_t a, b, c, d;
    uint32_t parameter;
    TestRandom &random;
};

// Noisy images of up to 12 (+ 8) pixels a side, now and then 150, with positions
// and clip rectangle around them; every fourth round draws the source onto itself.
template <class Draw>
void walks(uint64_t seed, Draw draw) {
    TestRandom random(seed);
    for (int round = 0; round < 1500; ++round) {
        const int64_t most = round % 8 == 1 ? 150 : 12;
        OwnedImage source(uint32_t(random.range(1, most)), uint32_t(random.range(1, most)));
        OwnedImage dest(uint32_t(random.range(1, most + 8)), uint32_t(random.range(1, most + 8)));
        source.fillNoise(random.next()), dest.fillNoise(random.next());
        const bool ontoItself = round % 4 == 0;
        OwnedImage &target = ontoItself ? source : dest;
        OwnedImage expected = target;
        const auto position = [&] { return int32_t(random.range(-most - 8, most + 13)); };
        Round r{target, source, expected, ontoItself ? expected : source, position(), position(), position(),
                position(), 0, random};
        random.clipRectangleWithin(int32_t(-most - 8), int32_t(most + 13));
        r.parameter = random.next() % 3 ? uint32_t(random.next() % 256) : source.at(0, 0);
        test::withMode(test::kAllModes[random.next() % 7], [&](auto m) { draw(m, r); });
        ASSERT_EQ(test::compareImages(target, expected, "transform_walk"), "")
            << "round " << round << ": " << r.a << " " << r.b << " " << r.c << " " << r.d;
    }
}

template <class Form>
class Sweep : public ::testing::Test {};
TYPED_TEST_SUITE(Sweep, test::Forms);

TYPED_TEST(Sweep, ScaleAndRotateMatchTheirPerPixelWalks) {
    walks(7, [](auto m, Round &r) {
        scale<TypeParam, m()>(r.target, r.a, r.b, r.c, r.d, r.source, r.parameter);
        scalePerPixel<TypeParam, m()>(r.expected, r.a, r.b, r.c, r.d, r.reference, r.parameter);
    });
    walks(11, [](auto m, Round &r) {
        const int32_t angle = int32_t(r.random.range(-800, 800));
        rotate<TypeParam, m()>(r.target, r.a, r.b, angle, r.source, r.parameter);
        rotatePerPixel<TypeParam, m()>(r.expected, r.a, r.b, angle, r.reference, r.parameter);
    });
}

// Images of up to 9 x 9, often empty, any clip rectangle and any arguments; guard
// words around dest. Roto-zoom has one form; it takes its turn with the built form's routines.
TYPED_TEST(Sweep, ScaleRotateAndRotoZoomStayInsideBothImages) {
    constexpr size_t kGuardWords = 64;
    constexpr uint32_t kGuard = 0xDEADBEEF;
    TestRandom random(21);
    const auto size = [&] { return random.next() % 4 == 0 ? 0 : uint32_t(random.range(1, 9)); };
    for (int round = 0; round < 3000; ++round) {
        OwnedImage source(size(), size());
        source.fillNoise(round);
        const uint32_t width = size(), height = size();
        std::vector<uint32_t> block(size_t(width) * height + 2 * kGuardWords, kGuard);
        const GFXimage dest{block.data() + kGuardWords, width, height};
        setClipRectangle(random.coordinate(10), random.coordinate(10), random.coordinate(10), random.coordinate(10));
        // Far corners (rectangles of up to 2^32 pixels) are slow, so rare.
        const auto corner = [&] { return round % 64 ? int32_t(random.range(-20, 20)) : random.coordinate(10); };
        const int32_t x1 = corner(), y1 = corner(), x2 = corner(), y2 = corner();
        const int32_t x = random.coordinate(10), y = random.coordinate(10);
        const int32_t angle = random.next() % 2 ? int32_t(random.next()) : int32_t(random.range(-400, 800));
        const uint32_t parameter = uint32_t(random.next());
        test::withMode(test::kAllModes[round % 7], [&](auto m) {
            scale<TypeParam, m()>(dest, x1, y1, x2, y2, source, parameter);
            rotate<TypeParam, m()>(dest, x, y, angle, source, parameter);
        });
        // Now and then any bit pattern: NaN, infinities, subnormals, huge values.
        const auto value = [&] {
            const uint64_t kind = random.next() % 4;
            return kind == 0   ? std::bit_cast<float>(uint32_t(random.next()))
                   : kind == 1 ? float(random.range(-4, 4))
                               : float(random.range(-100000, 100000)) / 10000;
        };
        const float turn = value(), zoom = value();
        if (std::is_same_v<TypeParam, BuiltForm>)
            (round % 2 ? RotoZoomImage : RotoZoomImageNoRepeat)(dest, source, turn, zoom);
        const auto guard = [](uint32_t word) { return word == kGuard; };
        ASSERT_TRUE(std::all_of(block.begin(), block.begin() + kGuardWords, guard) &&
                    std::all_of(block.end() - kGuardWords, block.end(), guard)) << "round " << round;
    }
}

}  // namespace
}  // namespace zorblit
