#include "test_images.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace zorblit::test {

OwnedImage::OwnedImage(const OwnedImage &other) : OwnedImage(other.width(), other.height()) {
    const auto values = other.pixels();
    std::copy(values.begin(), values.end(), image_.data);
}

std::vector<uint32_t> OwnedImage::pixels() const {
    return {image_.data, image_.data + size_t(image_.width) * image_.height};
}

void OwnedImage::fill(uint32_t value) { std::fill_n(image_.data, size_t(image_.width) * image_.height, value); }

void OwnedImage::fillNoise(uint64_t seed) {
    TestRandom random(seed);
    for (size_t i = 0; i < size_t(image_.width) * image_.height; ++i) image_.data[i] = random.biasedPixel();
}

uint64_t TestRandom::next() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int64_t TestRandom::range(int64_t lo, int64_t hi) { return lo + int64_t(next() % uint64_t(hi - lo + 1)); }

int32_t TestRandom::coordinate(uint32_t size) {
    switch (next() % 8) {
        case 0: return int32_t(next());
        case 1: return INT32_MIN + int32_t(next() % 4);
        case 2: return INT32_MAX - int32_t(next() % 4);
        default: return int32_t(range(-int64_t(size) - 4, int64_t(size) + 4));
    }
}

uint32_t TestRandom::biasedPixel() {
    uint32_t p = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint64_t r = next();
        const uint32_t byte = (r & 3) == 0 ? 0 : (r & 3) == 1 ? 255 : uint32_t(r >> 8) & 0xFF;
        p |= byte << shift;
    }
    return p;
}

std::string writePicture(const GFXimage &image, const std::string &name) {
    const std::filesystem::path dir = ZORBLIT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(dir);
    const std::string path = (dir / (name + ".png")).string();
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return path;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<uint8_t> row(size_t(image.width) * 3);
        for (uint32_t y = 0; y < image.height; ++y) {
            for (uint32_t x = 0; x < image.width; ++x) {
                const uint32_t p = image.data[size_t(y) * image.width + x];
                row[x * 3] = uint8_t(p >> 16);
                row[x * 3 + 1] = uint8_t(p >> 8);
                row[x * 3 + 2] = uint8_t(p);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return path;
}

std::string compareImages(const GFXimage &actual, const GFXimage &expected, const std::string &name) {
    std::ostringstream out;
    if (actual.width != expected.width || actual.height != expected.height) {
        out << name << ": size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x"
            << expected.height;
        return out.str();
    }
    size_t differences = 0;
    OwnedImage diff(actual.width, actual.height);
    for (uint32_t y = 0; y < actual.height; ++y)
        for (uint32_t x = 0; x < actual.width; ++x) {
            const size_t i = size_t(y) * actual.width + x;
            const bool same = actual.data[i] == expected.data[i];
            diff.at(x, y) = same ? (expected.data[i] >> 2 & 0x3F3F3F) : 0xFF0000;
            if (!same && differences++ == 0)
                out << name << ": first difference at (" << x << ", " << y << "): 0x" << std::hex << actual.data[i]
                    << ", expected 0x" << expected.data[i] << std::dec;
        }
    if (!differences) return {};
    out << " (" << differences << " pixels differ; pictures: " << writePicture(actual, name + "_actual") << ", "
        << writePicture(expected, name + "_expected") << ", " << writePicture(diff, name + "_diff") << ")";
    return out.str();
}

}  // namespace zorblit::test
