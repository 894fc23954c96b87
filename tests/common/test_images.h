// Helpers for tests that draw: owned images, deterministic noise, and image
// comparisons that describe the first difference.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "zorblit.h"

namespace zorblit::test {

// An image that frees itself.
class OwnedImage {
public:
    OwnedImage(uint32_t width, uint32_t height) { AllocImage(&image_, width, height); }
    OwnedImage(const OwnedImage &other);
    OwnedImage &operator=(const OwnedImage &) = delete;
    ~OwnedImage() { FreeImage(&image_); }

    operator GFXimage() const { return image_; }
    const GFXimage &get() const { return image_; }
    uint32_t width() const { return image_.width; }
    uint32_t height() const { return image_.height; }
    uint32_t &at(uint32_t x, uint32_t y) { return image_.data[size_t(y) * image_.width + x]; }
    uint32_t at(uint32_t x, uint32_t y) const { return image_.data[size_t(y) * image_.width + x]; }
    std::vector<uint32_t> pixels() const { return {image_.data, image_.data + size_t(width()) * height()}; }
    void fill(uint32_t value);
    // Deterministic noise; bytes are biased toward 0 and 255, where special cases hide.
    void fillNoise(uint64_t seed);

private:
    GFXimage image_{};
};

// A small deterministic generator (splitmix64) for randomised tests.
class TestRandom {
public:
    explicit TestRandom(uint64_t seed) : state_(seed) {}
    uint64_t next();
    int64_t range(int64_t lo, int64_t hi) { return lo + int64_t(next() % uint64_t(hi - lo + 1)); }  // [lo, hi]
    // A coordinate that is usually near the image but sometimes anywhere in int32.
    int32_t coordinate(uint32_t size);
    uint32_t biasedPixel();
    // Sets the clip rectangle from corners in [lo, hi], put in order three times in four.
    void clipRectangleWithin(int32_t lo, int32_t hi);

private:
    uint64_t state_;
};

// Empty when equal; otherwise the first difference and how many pixels differ.
std::string compareImages(const GFXimage &actual, const GFXimage &expected, const std::string &name);

}  // namespace zorblit::test
