// The midpoint circle of one radius in closed form. The stepping loop
//     x = 0, y = -r, d = 1 - r; while x <= -y: emit; if d > 0 { d += 2y + 2; y++ } d += 2x + 3; x++
// visits the columns x = 0..lastColumn() of one octant, each with a row offset
// |y| = rowAt(x). Working from the closed form lets a shape visit only the rows
// that lie in an image, however large the radius; the tests hold it against the loop.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zorblit::draw {

#if defined(__SIZEOF_INT128__)
using Wide = unsigned __int128;
#else
// 32-bit processors have no 128-bit integer: the few operations used here, on
// two 64-bit halves.
struct Wide {
    uint64_t high = 0, low = 0;
    template <class Integer>
    constexpr Wide(Integer n) : low(uint64_t(n)) {}
    constexpr Wide(uint64_t h, uint64_t l) : high(h), low(l) {}
    explicit operator double() const { return std::ldexp(double(high), 64) + double(low); }
    friend Wide operator+(Wide a, Wide b) { return {a.high + b.high + (a.low + b.low < a.low), a.low + b.low}; }
    friend Wide operator-(Wide a, Wide b) { return {a.high - b.high - (a.low < b.low), a.low - b.low}; }
    friend Wide operator*(Wide a, Wide b) {
        const uint64_t a0 = uint32_t(a.low), a1 = a.low >> 32, b0 = uint32_t(b.low), b1 = b.low >> 32;
        const uint64_t middle = (a0 * b0 >> 32) + uint32_t(a1 * b0) + uint32_t(a0 * b1);
        return {a1 * b1 + (a1 * b0 >> 32) + (a0 * b1 >> 32) + (middle >> 32) + a.high * b.low + a.low * b.high,
                a.low * b.low};
    }
    friend bool operator<=(Wide a, Wide b) { return a.high != b.high ? a.high < b.high : a.low <= b.low; }
    friend bool operator>(Wide a, Wide b) { return !(a <= b); }
};
#endif

// floor(sqrt(n)) for n < 2^100.
inline uint64_t integerSqrt(Wide n) {
    uint64_t s = uint64_t(std::sqrt(double(n)));
    while (Wide(s) * s > n) --s;
    while (Wide(s + 1) * (s + 1) <= n) ++s;
    return s;
}

class CircleProfile {
public:
    explicit CircleProfile(uint64_t radius)
        : radius_(radius), squared_(Wide(radius) * radius), lastColumn_(int64_t((integerSqrt(8 * squared_ + 1) + 1) / 4)) {}

    int64_t radius() const { return int64_t(radius_); }
    // The last column the loop visits: the largest x with x <= rowAt(x).
    int64_t lastColumn() const { return lastColumn_; }

    // |y| when the loop reaches column x (0 <= x <= lastColumn()): r at x = 0, then
    // the largest Y with Y (Y - 1) <= r^2 - x^2.
    int64_t rowAt(int64_t x) const {
        if (x == 0) return radius();
        return int64_t((integerSqrt(4 * (squared_ - Wide(x) * Wide(x)) + 1) + 1) / 2);
    }

    // The row offsets k that some column reaches are lowestRow()..radius(); the
    // columns that reach k are firstColumnOn(k)..lastColumnOn(k).
    int64_t lowestRow() const { return rowAt(lastColumn_); }
    int64_t lastColumnOn(int64_t k) const {
        if (k == 0) return 0;
        return std::min<int64_t>(lastColumn_, int64_t(integerSqrt(squared_ - Wide(k) * Wide(k - 1))));
    }
    int64_t firstColumnOn(int64_t k) const { return k == radius() ? 0 : lastColumnOn(k + 1) + 1; }

private:
    uint64_t radius_;
    Wide squared_;
    int64_t lastColumn_;
};

// Calls row(y, k) for every row y = cy + k and y = cy - k (0 <= k <= radius) that
// lies in [top, bottom).
template <class Row>
void forEachCircleRow(int64_t cy, int64_t radius, int64_t top, int64_t bottom, Row row) {
    for (int64_t k = std::max<int64_t>(0, top - cy), end = std::min(radius, bottom - 1 - cy); k <= end; ++k) row(cy + k, k);
    for (int64_t k = std::max<int64_t>(1, cy - bottom + 1), end = std::min(radius, cy - top); k <= end; ++k) row(cy - k, k);
}

}  // namespace zorblit::draw
