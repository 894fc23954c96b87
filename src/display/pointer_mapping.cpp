#include "display/pointer_mapping.h"

#include <cmath>

#include "display/display_state.h"

namespace zorblit {

PixelPoint pixelUnderPoint(PlatformPoint point) {
    Platform &p = platform();
    if (!p.hasWindow()) return {int32_t(std::floor(point.x)), int32_t(std::floor(point.y))};
    const DisplayState &s = displayState();
    const PlatformRect frame = p.windowFrame();
    const auto map = [](double offset, double requested, double content) {
        if (content <= 0) return int32_t(std::floor(offset));
        return int32_t(std::floor(offset * requested / content));
    };
    return {map(point.x - frame.x, s.requestedWidth, frame.width),
            map(point.y - frame.y, s.requestedHeight, frame.height)};
}

PlatformPoint desktopPointOverPixel(uint32_t x, uint32_t y) {
    Platform &p = platform();
    if (!p.hasWindow()) return {double(x), double(y)};
    const DisplayState &s = displayState();
    const PlatformRect content = p.windowFrame();
    const auto place = [](uint32_t pixel, double origin, double requested, double size) {
        if (requested <= 0) return origin + pixel;
        return origin + std::ceil(pixel * size / requested);
    };
    return {place(x, content.x, s.requestedWidth, content.width),
            place(y, content.y, s.requestedHeight, content.height)};
}

}  // namespace zorblit
