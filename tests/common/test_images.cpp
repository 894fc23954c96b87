#include "test_images.h"

#include <algorithm>
#include <sstream>

namespace zorblit::test {

OwnedImage::OwnedImage(const OwnedImage &other) : OwnedImage(other.width(), other.height()) {
    std::copy_n(other.image_.data, size_t(width()) * height(), image_.data);
}

void OwnedImage::fill(uint32_t value) { std::fill_n(image_.data, size_t(width()) * height(), value); }

void OwnedImage::fillNoise(uint64_t seed) {
    TestRandom random(seed);
    std::generate_n(image_.data, size_t(width()) * height(), [&] { return random.biasedPixel(); });
}

uint64_t TestRandom::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int32_t TestRandom::coordinate(uint32_t size) {
    switch (next() % 8) {
        case 0: return int32_t(next());
        case 1: return INT32_MIN + int32_t(next() % 4);
        case 2: return INT32_MAX - int32_t(next() % 4);
        default: return int32_t(range(-int64_t(size) - 4, int64_t(size) + 4));
    }
}

void TestRandom::clipRectangleWithin(int32_t lo, int32_t hi) {
    int32_t clip[4];
    for (auto &v : clip) v = int32_t(range(lo, hi));
    if (next() % 4 && clip[0] > clip[2]) std::swap(clip[0], clip[2]);
    if (next() % 4 && clip[1] > clip[3]) std::swap(clip[1], clip[3]);
    setClipRectangle(clip[0], clip[1], clip[2], clip[3]);
}

uint32_t TestRandom::biasedPixel() {
    uint32_t p = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint64_t r = next();
        p |= ((r & 3) == 0 ? 0 : (r & 3) == 1 ? 255 : uint32_t(r >> 8) & 0xFF) << shift;
    }
    return p;
}

std::string compareImages(const GFXimage &actual, const GFXimage &expected, const std::string &name) {
    std::ostringstream out;
    out << name << ": ";
    if (actual.width != expected.width || actual.height != expected.height) {
        out << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x" << expected.height;
        return out.str();
    }
    size_t differences = 0;
    for (size_t i = 0; i < size_t(actual.width) * actual.height; ++i)
        if (actual.data[i] != expected.data[i] && differences++ == 0)
            out << "first difference at (" << i % actual.width << ", " << i / actual.width << "): 0x" << std::hex
                << actual.data[i] << ", expected 0x" << expected.data[i] << std::dec;
    out << " (" << differences << " pixels differ)";
    return differences ? out.str() : std::string();
}

}  // namespace zorblit::test
