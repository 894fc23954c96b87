// Both blur forms: the worked examples, and the packed run against a per-byte
// reference of the four-neighbour rule.
#include <gtest/gtest.h>

#include "effects/blur.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

// The four-neighbour rule, one byte at a time.
void referenceFourNeighbours(OwnedImage &image) {
    const size_t w = image.width(), h = image.height();
    if (w == 0 || h < 3) return;
    uint32_t *p = image.get().data;
    uint32_t left = 0;
    for (size_t i = w; i < w * (h - 1); ++i) {
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const auto byte = [shift](uint32_t v) { return v >> shift & 0xFF; };
            out |= (byte(left) + byte(p[i + 1]) + byte(p[i - w]) + byte(p[i + w])) >> 2 << shift;
        }
        p[i] = left = out;
    }
}

TEST(Blur, PackedMatchesTheFourNeighbourRule) {
    for (auto [w, h] : {std::pair{1u, 3u}, std::pair{5u, 4u}, std::pair{17u, 9u}}) {
        OwnedImage image(w, h);
        image.fillNoise(w * h);
        OwnedImage expected(image);
        referenceFourNeighbours(expected);
        blurFourNeighbours(image);
        EXPECT_EQ(test::compareImages(image, expected, "blur_packed"), "") << w << "x" << h;
    }
}

// The worked examples: a white image in the packed form; a dot, a flat image
// and in-place order in the portable box.
TEST(Blur, WorkedExamples) {
    OwnedImage white(4, 3);
    white.fill(0xFFFFFFFF);
    blurFourNeighbours(white);
    EXPECT_EQ(white.at(0, 1), 0xBFBFBFBFu);  // (0 + 3 * 255) >> 2
    EXPECT_EQ(white.at(1, 1), 0xEFEFEFEFu);  // (191 + 3 * 255) >> 2
    for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(white.at(x, 0) & white.at(x, 2), 0xFFFFFFFFu);

    OwnedImage dot(3, 3), expected(3, 3);
    dot.at(1, 1) = 0x5A5A5A5A;  // 90 in every byte
    expected.at(1, 1) = 0x0A0A0A0A;
    blurBox3x3(dot);
    EXPECT_EQ(test::compareImages(dot, expected, "blur_box_dot"), "");
    OwnedImage flat(6, 5);
    flat.fill(0x80C0F010);
    const OwnedImage original(flat);
    blurBox3x3(flat);
    EXPECT_EQ(test::compareImages(flat, original, "blur_box_flat"), "");
    OwnedImage row(4, 3);  // the second pixel sees the first one already blurred
    row.at(1, 1) = 0x00000090;
    blurBox3x3(row);
    EXPECT_EQ(row.at(1, 1), 0x10u);
    EXPECT_EQ(row.at(2, 1), (0x90u / 9) / 9);
}

template <class Form>
class BlurForms : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(BlurForms, Forms);

TYPED_TEST(BlurForms, ShortImagesAndBordersStay) {
    for (auto [w, h] : {std::pair{0u, 4u}, std::pair{4u, 0u}, std::pair{5u, 1u}, std::pair{5u, 2u}, std::pair{2u, 5u}}) {
        OwnedImage image(w, h);
        image.fillNoise(3);
        const OwnedImage original(image);
        blurImage<TypeParam>(image);
        if (!TypeParam::packed || h < 3) {
            EXPECT_EQ(test::compareImages(image, original, "blur_short"), "") << w << "x" << h;
        }
    }
    OwnedImage image(6, 5);
    image.fillNoise(4);
    const OwnedImage original(image);
    blurImage<TypeParam>(image);
    for (uint32_t x = 0; x < 6; ++x) {
        EXPECT_EQ(image.at(x, 0), original.at(x, 0));
        EXPECT_EQ(image.at(x, 4), original.at(x, 4));
    }
}

}  // namespace
}  // namespace zorblit
