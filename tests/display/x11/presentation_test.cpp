// What the output window shows in modes 1, 3 and 10, read back from the X
// server: exact windowed, a nearest-neighbour stretch in full screen.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

class Presents : public ::testing::TestWithParam<std::tuple<int32_t, bool>> {
protected:
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
    }
    XServer server;
};

TEST_P(Presents, ThePatternPixelForPixel) {
    ASSERT_TRUE(server.connected()) << "needs an X display";
    const auto [mode, fullScreen] = GetParam();
    // In full screen 320 x 256 stretches by exactly 4 over the 1280 x 1024 screen.
    const uint32_t width = fullScreen ? 320 : 200, height = fullScreen ? 256 : 150;
    gfxDeviceMode = mode;
    InitGFXsystem(width, height, fullScreen);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) vscreen.data[y * width + x] = pattern(x, y);

    const PlatformRect frame = platform().windowFrame();
    const int shownWidth = int(frame.width), shownHeight = int(frame.height);
    const uint32_t scaleX = uint32_t(shownWidth) / width, scaleY = uint32_t(shownHeight) / height;
    ASSERT_EQ(std::pair(scaleX * width, scaleY * height), std::pair(uint32_t(shownWidth), uint32_t(shownHeight)));
    std::vector<uint32_t> expected, shown;
    for (int y = 0; y < shownHeight; ++y)
        for (int x = 0; x < shownWidth; ++x) expected.push_back(pattern(x / scaleX, y / scaleY) & 0xFFFFFF);
    const auto present = [&] {
        UpdateGFXsystem();
        shown = server.read(int(frame.x), int(frame.y), shownWidth, shownHeight);
    };
    if (pollUntil(present, [&] { return shown == expected; })) return;
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i], expected[i]) << "first difference at x " << i % shownWidth << ", y " << i / shownWidth;
}

INSTANTIATE_TEST_SUITE_P(Modes, Presents, ::testing::Combine(::testing::Values(1, 3, 10), ::testing::Values(false, true)),
                         [](const auto &test) {
                             return "Mode" + std::to_string(std::get<0>(test.param)) +
                                    (std::get<1>(test.param) ? "FullScreen" : "Windowed");
                         });

}  // namespace
}  // namespace zorblit::test
