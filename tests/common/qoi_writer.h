// A QOI writer (the format's reference algorithm), for the reader's tests and
// benchmark: 0xAARRGGBB pixels, top row first.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace zorblit::test {

inline std::vector<uint8_t> qoiEncode(const std::vector<uint32_t> &pixels, uint32_t width, uint32_t height,
                                      uint8_t channels = 4) {
    std::vector<uint8_t> out = {'q', 'o', 'i', 'f'};
    for (const uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
    out.push_back(channels);
    out.push_back(0);
    const auto put = [&out](std::initializer_list<int> bytes) {
        for (const int b : bytes) out.push_back(uint8_t(b));
    };
    struct Rgba {
        int r, g, b, a;
        bool operator==(const Rgba &) const = default;
    };
    std::array<Rgba, 64> recent{};
    Rgba previous{0, 0, 0, 255};
    unsigned run = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = pixels[i];
        const Rgba px{int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255), int(p >> 24)};
        if (px == previous) {
            if (++run == 62 || i + 1 == pixels.size()) put({int(0xC0 | (run - 1))}), run = 0;
            continue;
        }
        if (run > 0) put({int(0xC0 | (run - 1))}), run = 0;
        const unsigned hash = unsigned(px.r * 3 + px.g * 5 + px.b * 7 + px.a * 11) % 64;
        const auto wrap = [](int d) { return int(int8_t(uint8_t(d))); };
        const int dr = wrap(px.r - previous.r), dg = wrap(px.g - previous.g), db = wrap(px.b - previous.b);
        if (recent[hash] == px) {
            put({int(hash)});
        } else if (recent[hash] = px, px.a != previous.a) {
            put({0xFF, px.r, px.g, px.b, px.a});
        } else if (dr >= -2 && dr <= 1 && dg >= -2 && dg <= 1 && db >= -2 && db <= 1) {
            put({0x40 | (dr + 2) << 4 | (dg + 2) << 2 | (db + 2)});
        } else if (dg >= -32 && dg <= 31 && dr - dg >= -8 && dr - dg <= 7 && db - dg >= -8 && db - dg <= 7) {
            put({0x80 | (dg + 32), (dr - dg + 8) << 4 | (db - dg + 8)});
        } else {
            put({0xFE, px.r, px.g, px.b});
        }
        previous = px;
    }
    put({0, 0, 0, 0, 0, 0, 0, 1});
    return out;
}

}  // namespace zorblit::test
