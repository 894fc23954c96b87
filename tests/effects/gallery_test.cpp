// Renders the pictures of the procedural effects shown in the README into the
// test output folder (copied to docs/gallery when they change).
#include <gtest/gtest.h>

#include <filesystem>

#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

TEST(Gallery, RendersTheProceduralPictures) {
    OwnedImage sine(256, 192), sub(256, 192), particle(256, 192);
    SinePlasmaImage(sine, 0.05f, 0.07f, 256);
    SubPlasmaImage(sub, 32, 2024, 256, true);
    ParticleImage(particle, 1.2f);
    for (auto [image, name] : {std::pair{&sine, "sine_plasma"}, std::pair{&sub, "sub_plasma"},
                               std::pair{&particle, "particle"}})
        EXPECT_TRUE(std::filesystem::exists(test::writePicture(*image, std::string("gallery_") + name)));
}

}  // namespace
}  // namespace zorblit
