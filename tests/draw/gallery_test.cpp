// A picture of every shape, written to the test output folder for a look by eye,
// with the symmetries a reader would check in it.
#include <gtest/gtest.h>

#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

TEST(Gallery, ShapesAreSymmetricAndLandWhereAsked) {
    OwnedImage image(200, 120);
    setClipRectangle(0, 0, 200, 120);
    image.fill(0xFF101820);
    DrawBar(image, 10, 10, 50, 40, 0xFF3060C0);
    DrawRectangle(image, 8, 8, 52, 42, 0xFFFFFFFF);
    DrawFilledCircle(image, 100, 30, 22, 0xFFE0A020);
    DrawCircle(image, 100, 30, 25, 0xFFFFFFFF);
    DrawFilledTriangle(image, 150, 8, 190, 50, 130, 45, 0xFF40C060);
    for (uint32_t i = 0; i <= 8; ++i) DrawLine(image, 10, 110, 10 + i * 10, 60, 0xFFFF4040);
    DrawFilledCircleClip(image, 200, 120, 40, 0xFF8040C0);  // cut by the corner
    DrawLineClip(image, -50, 119, 250, 60, 0xFFFFFF00);
    DrawHLineClip(image, -10, 300, 100, 0xFF00FFFF);
    DrawVLineClip(image, -10, 300, 160, 0xFF00FFFF);
    test::writePicture(image, "draw_gallery");

    // The disc and its ring are mirror-symmetric about the centre's row and column.
    for (int32_t dy = -25; dy <= 25; ++dy)
        for (int32_t dx = -25; dx <= 25; ++dx) {
            ASSERT_EQ(image.at(100 + dx, 30 + dy), image.at(100 - dx, 30 + dy)) << dx << "," << dy;
            ASSERT_EQ(image.at(100 + dx, 30 + dy), image.at(100 + dx, 30 - dy)) << dx << "," << dy;
        }
    EXPECT_EQ(image.at(100, 5), 0xFFFFFFFFu);
    EXPECT_EQ(image.at(100, 8), 0xFFE0A020u);
    EXPECT_EQ(image.at(199, 119), 0xFF8040C0u);
    EXPECT_EQ(image.at(90, 60), 0xFFFF4040u);
}

}  // namespace
}  // namespace zorblit
