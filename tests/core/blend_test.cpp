// Blend operators: the documented examples in both forms, and sweeps of the
// packed arithmetic against per-byte references.
#include <gtest/gtest.h>

#include "core/form.h"
#include "test_images.h"

namespace zorblit {
namespace {

struct Example {
    uint32_t portable, packed;
};
template <class Form>
uint32_t pick(Example e) { return Form::packed ? e.packed : e.portable; }

template <class Form>
class BlendExamples : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(BlendExamples, Forms);

TYPED_TEST(BlendExamples, DocumentedResults) {
    using F = TypeParam;
    EXPECT_EQ(F::average(0xFF030201, 0x00010101), pick<F>({0xFF010100, 0x80020201}));
    EXPECT_EQ(F::saturatedAdd(0x10F00010, 0x20200020), pick<F>({0xFFFF0030, 0x30FF0030}));
    EXPECT_EQ(F::saturatedSub(0x10203040, 0x20104020), pick<F>({0xFF100020, 0x00100020}));
    EXPECT_EQ(F::alpha(0x80FF0000, 0x000000FF), pick<F>({0xFF7F007E, 0x007F007E}));
    EXPECT_EQ(F::alphaValue(0x80FF0000, 0x000000FF, 255), pick<F>({0x7FFE0000, 0x00FE0000}));
    EXPECT_EQ(F::alphaValue(0x80FF0000, 0x000000FF, 0), 0x000000FEu);
}

// Every pair of byte values, in every lane position, against the plain formula.
TEST(PackedArithmetic, EveryBytePairInEveryLane) {
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t b = 0; b < 256; ++b) {
            for (int lane = 0; lane < 64; lane += 8) {
                const uint64_t x = uint64_t(a) << lane | 0x5A, y = uint64_t(b) << lane | 0xA5;
                const auto byte = [lane](uint64_t v) { return uint32_t(v >> lane & 0xFF); };
                if (lane) {
                    ASSERT_EQ(byte(swar::averageUp(x, y)), (a + b + 1) >> 1);
                    ASSERT_EQ(byte(swar::addSaturated(x, y)), std::min(a + b, 255u));
                    ASSERT_EQ(byte(swar::subSaturated(x, y)), a > b ? a - b : 0u);
                }
            }
            for (uint32_t w : {0u, 1u, 127u, 128u, 254u, 255u}) {
                const uint32_t mixed = swar::mix(a * 0x01010101u, b * 0x01010101u, w);
                const uint32_t expect = (a * w + b * (255 - w)) >> 8;
                ASSERT_EQ(mixed, expect * 0x00010101u) << a << " " << b << " " << w;
            }
        }
}

// The forms agree on colour channels wherever the documented differences do not apply.
TEST(Forms, AlphaMixesAgreeOnColourChannels) {
    for (uint32_t s = 0; s < 256; s += 3)
        for (uint32_t d = 0; d < 256; d += 5)
            for (uint32_t w = 0; w < 256; w += 17) {
                const uint32_t src = w << 24 | s * 0x010101u, dst = d * 0x010101u;
                ASSERT_EQ(Portable::alpha(src, dst) & 0xFFFFFF, Packed::alpha(src, dst));
                ASSERT_EQ(Portable::alphaValue(src, dst, uint8_t(w)) & 0xFFFFFF, Packed::alphaValue(src, dst, uint8_t(w)));
            }
}

TEST(ExportedOperators, MatchTheBuiltForm) {
    for (uint32_t s : {0x80FF0000u, 0x12345678u, 0xFFFFFFFFu})
        for (uint32_t d : {0x000000FFu, 0u, 0x87654321u}) {
            EXPECT_EQ(Average(s, d), BuiltForm::average(s, d));
            EXPECT_EQ(SaturatedSub(s, d), BuiltForm::saturatedSub(s, d));
            EXPECT_EQ(AlphaColor(s, d), Alpha(s, d));
            EXPECT_EQ(AlphaValueColor(s, d, 77), AlphaValue(s, d, 77));
        }
}

// The four-pixel runs equal the one-pixel operators and leave the tail alone.
template <BlendOp Op>
void expectRunEqualsOperator(uint32_t (*op)(uint32_t, uint32_t, uint8_t)) {
    test::TestRandom random(12345);
    for (size_t count = 0; count < 40; ++count)
        for (uint32_t value : {0u, 1u, 128u, 255u}) {
            std::vector<uint32_t> source(count), dest(count);
            for (auto &p : source) p = random.biasedPixel();
            for (auto &p : dest) p = random.biasedPixel();
            const std::vector<uint32_t> before = dest;
            const size_t done = Packed::vectorRun<Op>(source.data(), dest.data(), count, uint8_t(value));
            ASSERT_EQ(done, count & ~size_t(3));
            for (size_t i = 0; i < count; ++i)
                ASSERT_EQ(dest[i], i < done ? op(source[i], before[i], uint8_t(value)) : before[i]) << int(Op) << " " << i;
        }
}

TEST(PackedRuns, EqualTheOnePixelOperators) {
    using B = BlendOp;
    expectRunEqualsOperator<B::Average>([](uint32_t s, uint32_t d, uint8_t) { return Packed::average(s, d); });
    expectRunEqualsOperator<B::SaturatedAdd>([](uint32_t s, uint32_t d, uint8_t) { return Packed::saturatedAdd(s, d); });
    expectRunEqualsOperator<B::SaturatedSub>([](uint32_t s, uint32_t d, uint8_t) { return Packed::saturatedSub(s, d); });
    expectRunEqualsOperator<B::Alpha>([](uint32_t s, uint32_t d, uint8_t) { return Packed::alpha(s, d); });
    expectRunEqualsOperator<B::AlphaSkippingTransparent>(
        [](uint32_t s, uint32_t d, uint8_t) { return s >> 24 ? Packed::alpha(s, d) : d; });
    expectRunEqualsOperator<B::AlphaValue>([](uint32_t s, uint32_t d, uint8_t w) { return Packed::alphaValue(s, d, w); });
    expectRunEqualsOperator<B::Invert>([](uint32_t s, uint32_t, uint8_t) { return ~s; });
}

}  // namespace
}  // namespace zorblit
