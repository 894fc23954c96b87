#include "support/numeric.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "zorblit.h"

namespace zorblit {
std::string floatToText(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%4.2f", double(value));
    return text;
}
}  // namespace zorblit

float PolarAngle(float y, float x) {
    constexpr float pi = std::numbers::pi_v<float>;
    if (x > 0) return std::atan(y / x);
    if (x < 0) return std::atan(y / x) + pi;
    return y < 0 ? -pi / 2 : pi / 2;
}
