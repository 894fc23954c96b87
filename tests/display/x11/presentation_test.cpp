// What the output window shows in modes 1, 3 and 10, read back from the X
// server: exact windowed, a nearest-neighbour stretch in full screen.
#include <gtest/gtest.h>

#include <ostream>

#include "display/platform.h"
#include "x_server.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

// Distinct colours per pixel; the alpha byte varies and must not show.
uint32_t pattern(uint32_t x, uint32_t y) {
    const uint32_t alpha = (x ^ y) & 1 ? 0x00u : 0xFFu;
    return alpha << 24 | (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x * 3 + y * 5) & 0xFF);
}

struct Presentation {
    int32_t mode;
    bool fullScreen;
};

void PrintTo(const Presentation &p, std::ostream *out) {
    *out << "mode " << p.mode << (p.fullScreen ? ", full screen" : ", windowed");
}

class Presents : public ::testing::TestWithParam<Presentation> {
protected:
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
    }
    XServer server;
};

TEST_P(Presents, ThePatternPixelForPixel) {
    ASSERT_TRUE(server.connected()) << "needs an X display";
    const Presentation p = GetParam();
    // In full screen 320 x 256 stretches by exactly 4 over the 1280 x 1024 screen.
    const uint32_t width = p.fullScreen ? 320 : 200, height = p.fullScreen ? 256 : 150;
    gfxDeviceMode = p.mode;
    InitGFXsystem(width, height, p.fullScreen);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) vscreen.data[y * width + x] = pattern(x, y);

    const PlatformRect frame = platform().windowFrame();
    const int shownWidth = int(frame.width), shownHeight = int(frame.height);
    const uint32_t scaleX = uint32_t(shownWidth) / width, scaleY = uint32_t(shownHeight) / height;
    ASSERT_EQ(scaleX * width, uint32_t(shownWidth));
    ASSERT_EQ(scaleY * height, uint32_t(shownHeight));
    std::vector<uint32_t> expected;
    for (int y = 0; y < shownHeight; ++y)
        for (int x = 0; x < shownWidth; ++x) expected.push_back(pattern(x / scaleX, y / scaleY) & 0xFFFFFF);

    std::vector<uint32_t> shown;
    const bool same = pollUntil(
        [&] {
            UpdateGFXsystem();
            shown = server.read(int(frame.x), int(frame.y), shownWidth, shownHeight);
        },
        [&] { return shown == expected; });
    ASSERT_EQ(shown.size(), expected.size());
    if (!same) {
        for (size_t i = 0; i < shown.size(); ++i)
            ASSERT_EQ(shown[i], expected[i]) << "first difference at x " << i % shownWidth << ", y "
                                             << i / shownWidth;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, Presents,
                         ::testing::Values(Presentation{1, false}, Presentation{1, true}, Presentation{3, false},
                                           Presentation{3, true}, Presentation{10, false},
                                           Presentation{10, true}),
                         [](const auto &test) {
                             return "Mode" + std::to_string(test.param.mode) +
                                    (test.param.fullScreen ? "FullScreen" : "Windowed");
                         });

}  // namespace
}  // namespace zorblit::test
