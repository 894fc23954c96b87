// QOI: a 14-byte header ("qoif", big-endian width and height, channels 3 or 4,
// colour space 0 or 1), then one-byte-tagged operations against the previous
// pixel and a 64-entry table of recent pixels, then seven zero bytes and a one.
#include "loaders/qoi.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/image_math.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

constexpr size_t kHeaderSize = 14;
constexpr uint8_t kEndMarker[8] = {0, 0, 0, 0, 0, 0, 0, 1};
constexpr uint8_t kRgb = 0xFE, kRgba = 0xFF;
constexpr uint64_t kMaxRun = 62;  // pixels one byte can give

uint32_t big32(const uint8_t *p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    unsigned hash() const { return (r * 3u + g * 5u + b * 7u + a * 11u) % 64; }
    uint32_t packed() const { return packRGBA(r, g, b, a); }
};

}  // namespace

bool qoiDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    if (size < kHeaderSize || std::memcmp(data, "qoif", 4) != 0) return refuse("not a QOI file");
    const uint32_t width = big32(data + 4), height = big32(data + 8);
    if (data[12] != 3 && data[12] != 4) return refuseAt("bad QOI channel count", 12);
    if (data[13] > 1) return refuseAt("bad QOI colour space", 13);
    if (!withinImageLimits(width, height)) return false;
    if (size < kHeaderSize + sizeof kEndMarker ||
        std::memcmp(data + size - sizeof kEndMarker, kEndMarker, sizeof kEndMarker) != 0)
        return refuseAt("QOI end marker missing", size);
    const uint8_t *p = data + kHeaderSize, *const end = data + size - sizeof kEndMarker;
    const uint64_t count = uint64_t(width) * height;
    if (count > uint64_t(end - p) * kMaxRun) return refuse("QOI data too short for its size");

    PendingImage result(width, height);
    if (!result.allocated()) return refuse("out of memory");
    uint32_t *out = result.row(0);
    std::array<Rgba, 64> recent{};
    recent.fill(Rgba{0, 0, 0, 0});
    Rgba px;
    for (uint64_t i = 0; i < count;) {
        const size_t left = size_t(end - p);
        if (left == 0) return refuseAt("QOI data ends early", size_t(p - data));
        const uint8_t op = *p;
        if (op == kRgb || op == kRgba) {
            const size_t bytes = op == kRgb ? 4 : 5;
            if (left < bytes) return refuseAt("QOI data ends early", size_t(p - data));
            px.r = p[1], px.g = p[2], px.b = p[3];
            if (op == kRgba) px.a = p[4];
            p += bytes;
        } else {
            switch (op >> 6) {
            case 0: px = recent[op]; break;
            case 1:
                px.r = uint8_t(px.r + ((op >> 4) & 3) - 2);
                px.g = uint8_t(px.g + ((op >> 2) & 3) - 2);
                px.b = uint8_t(px.b + (op & 3) - 2);
                break;
            case 2: {
                if (left < 2) return refuseAt("QOI data ends early", size_t(p - data));
                const int dg = (op & 0x3F) - 32;
                px.r = uint8_t(px.r + dg + (p[1] >> 4) - 8);
                px.g = uint8_t(px.g + dg);
                px.b = uint8_t(px.b + dg + (p[1] & 15) - 8);
                ++p;
                break;
            }
            default: {
                const uint64_t run = std::min<uint64_t>((op & 0x3F) + 1u, count - i);
                recent[px.hash()] = px;
                std::fill_n(out + i, run, px.packed());
                i += run;
                ++p;
                continue;
            }
            }
            ++p;
        }
        recent[px.hash()] = px;
        out[i++] = px.packed();
    }
    return result.handOver(image);
}

}  // namespace zorblit

bool qoiLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::readMemory(image, data, size, zorblit::qoiDecode);
}

bool qoiLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::qoiDecode); }
