// Roto-zoom against its closed form: destination pixel (x, y) shows the source at
// u = hw + offX + C (x - hw) - S (y - hh), v = hh + offY + S (x - hw) + C (y - hh)
// in 16.16, or 0 outside the source. Rows find their inside span first and copy
// it without tests, in 32-bit lanes for sources under 2^15 a side; wide sources
// take the 64-bit loop.
#include <gtest/gtest.h>

#include <cmath>

#include "test_images.h"
#include "zorblit.h"

namespace zorblit {
namespace {

using test::OwnedImage;

void expectClosedForm(const OwnedImage &dest, const OwnedImage &source, float angle, float zoom, bool repeat) {
    const int64_t S = std::llrint(double(zoom) * std::sin(double(angle)) * 65536);
    const int64_t C = std::llrint(double(zoom) * std::cos(double(angle)) * 65536);
    const int64_t part = repeat ? 32768 : 16384;
    const int64_t offX = (int64_t(source.width()) - dest.width()) * part;
    const int64_t offY = (int64_t(source.height()) - dest.height()) * part;
    const int64_t hw = dest.width() >> 1, hh = dest.height() >> 1;
    for (int64_t y = 0; y < dest.height(); ++y)
        for (int64_t x = 0; x < dest.width(); ++x) {
            const int64_t u = (hw << 16) + offX + C * (x - hw) - S * (y - hh);
            const int64_t v = (hh << 16) + offY + S * (x - hw) + C * (y - hh);
            const int64_t sx = u >> 16, sy = v >> 16;
            const bool inside = sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height();
            ASSERT_EQ(dest.at(uint32_t(x), uint32_t(y)), inside ? source.at(uint32_t(sx), uint32_t(sy)) : 0u)
                << "at " << x << ", " << y << ": angle " << angle << " zoom " << zoom << " source " << source.width()
                << "x" << source.height() << " dest " << dest.width() << "x" << dest.height();
        }
}

TEST(RotoZoom, EveryPixelFollowsTheClosedForm) {
    test::TestRandom random(41);
    for (int round = 0; round < 300; ++round) {
        // Now and then a source too wide for the 32-bit lanes.
        const bool wide = round % 10 == 0;
        OwnedImage source(uint32_t(wide ? random.range(32760, 40000) : random.range(1, 90)),
                          uint32_t(random.range(1, wide ? 3 : 90)));
        OwnedImage dest(uint32_t(random.range(1, 80)), uint32_t(random.range(1, 80)));
        source.fillNoise(random.next());
        const float angle = float(random.range(-70000, 70000)) / 10000;
        const float zoom = round % 7 == 0 ? float(random.range(-3000, 3000)) : float(random.range(-40000, 40000)) / 10000;
        const bool repeat = round % 2;
        (repeat ? RotoZoomImage : RotoZoomImageNoRepeat)(dest, source, angle, zoom);
        expectClosedForm(dest, source, angle, zoom, repeat);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace zorblit
