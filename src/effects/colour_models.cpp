// Conversions of one colour between RGB and HSV, CMY and CMYK. All components
// are 0..255 (hue 0..255 for 0..360 degrees); the arithmetic is in double and
// every result is rounded half to even.
#include <algorithm>
#include <cmath>

#include "zorblit.h"

namespace {

// std::nearbyint rounds half to even in the default rounding mode. Every caller
// passes a value that lies in 0..255.
uint8_t roundToByte(double value) { return uint8_t(std::nearbyint(value)); }

}  // namespace

void RGB2HSV(uint8_t r, uint8_t g, uint8_t b, uint8_t *h, uint8_t *s, uint8_t *v) {
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    *v = uint8_t(max);
    *s = max == 0 ? 0 : roundToByte((max - min) / max * 255);
    if (*s == 0) {
        *h = 0;
        return;
    }
    // Sixths of a turn; where components share the maximum, blue wins over
    // green and green over red.
    const double delta = max - min;
    double sixths = 0;
    if (r == max) sixths = (double(g) - b) / delta;
    if (g == max) sixths = 2 + (double(b) - r) / delta;
    if (b == max) sixths = 4 + (double(r) - g) / delta;
    double degrees = sixths * 60;
    if (degrees < 0) degrees += 360;
    *h = roundToByte(degrees * 255 / 360);
}

void HSV2RGB(uint8_t h, uint8_t s, uint8_t v, uint8_t *r, uint8_t *g, uint8_t *b) {
    if (s == 0) {
        *r = *g = *b = v;
        return;
    }
    double degrees = h * 360.0 / 255;
    const uint8_t p = roundToByte(v * (1 - s / 255.0));
    // Hues above 300 degrees are taken as -60..0, so sector runs from just above -1 to 5.
    if (degrees > 300) degrees -= 360;
    const double sector = degrees / 60;
    const int i = int(std::floor(sector));
    const int even = (i + 1) & ~1;  // 0 for sectors -1 and 0, 2 for 1 and 2, 4 for 3 and 4
    const double f = (v - p) * (sector - even);
    // Each sector uses one of p - f and p + f; only that one lies in 0..255.
    const auto lo = [&] { return roundToByte(p - f); };
    const auto hi = [&] { return roundToByte(p + f); };
    switch (i) {
        case -1: *r = v, *g = p, *b = lo(); break;
        case 0: *r = v, *g = hi(), *b = p; break;
        case 1: *r = lo(), *g = v, *b = p; break;
        case 2: *r = p, *g = v, *b = hi(); break;
        case 3: *r = p, *g = lo(), *b = v; break;
        default: *r = hi(), *g = p, *b = v; break;
    }
}

void RGB2CYM(uint8_t r, uint8_t g, uint8_t b, uint8_t *c, uint8_t *y, uint8_t *m) {
    *c = uint8_t(255 - r);
    *y = uint8_t(255 - b);
    *m = uint8_t(255 - g);
}

void CYM2RGB(uint8_t c, uint8_t y, uint8_t m, uint8_t *r, uint8_t *g, uint8_t *b) {
    *r = uint8_t(255 - c);
    *g = uint8_t(255 - m);
    *b = uint8_t(255 - y);
}

void RGB2CYMK(uint8_t r, uint8_t g, uint8_t b, uint8_t *c, uint8_t *y, uint8_t *m, uint8_t *k) {
    uint8_t cyan, yellow, magenta;
    RGB2CYM(r, g, b, &cyan, &yellow, &magenta);
    const uint8_t black = std::min({cyan, yellow, magenta});
    *k = black;
    if (black == 255) {
        *c = *y = *m = 0;
        return;
    }
    // The grey part moves into k; the rest is stretched back to the full scale.
    const double f = (255 - black) / 255.0;
    *c = roundToByte((cyan - black) / f);
    *y = roundToByte((yellow - black) / f);
    *m = roundToByte((magenta - black) / f);
}

void CYMK2RGB(uint8_t c, uint8_t y, uint8_t m, uint8_t k, uint8_t *r, uint8_t *g, uint8_t *b) {
    const double f = (255 - k) / 255.0;
    CYM2RGB(roundToByte(c * f + k), roundToByte(y * f + k), roundToByte(m * f + k), r, g, b);
}
