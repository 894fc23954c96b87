// PCX files built here: header, run-length rows, palette block at the end.
#include "loaders/pcx.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

struct PcxHeader {
    uint16_t width, height, bytesPerLine;
    uint8_t manufacturer = 10, version = 5, bitsPerPixel = 8, planes = 1;
    uint16_t xmin = 3, ymin = 10;
};

// Palette entry i is (i, 255 - i, i * 7).
uint32_t paletteColour(uint8_t i) { return 0xFF000000u | uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint8_t(i * 7); }

Bytes pcxFile(const PcxHeader &h, const Bytes &encoded, uint8_t marker = 12) {
    ByteWriter out;
    out.u8(h.manufacturer).u8(h.version).u8(1).u8(h.bitsPerPixel).u16(h.xmin).u16(h.ymin);
    out.u16(h.xmin + h.width - 1u).u16(h.ymin + h.height - 1u).fill(53, 0).u8(h.planes).u16(h.bytesPerLine).fill(60, 0);
    out.append(encoded).u8(marker);
    for (unsigned i = 0; i < 256; ++i) out.u8(i).u8(255 - i).u8(i * 7);
    return out.bytes;
}

// Run-length encoding of the whole byte stream; runs cross row ends.
Bytes encodeRuns(const Bytes &bytes) {
    Bytes out;
    for (size_t i = 0, run = 1; i < bytes.size(); i += run, run = 1) {
        while (i + run < bytes.size() && run < 63 && bytes[i + run] == bytes[i]) ++run;
        if (run > 1 || bytes[i] >= 0xC0) out.push_back(uint8_t(0xC0 + run));
        out.push_back(bytes[i]);
    }
    return out;
}

TEST(Pcx, PicturesDecodeWithoutTheirPadding) {
    TestRandom random(5);
    for (const auto [width, height, padding] : {std::array<uint16_t, 3>{1, 1, 0}, {3, 2, 1}, {5, 4, 3}, {64, 3, 0}, {2501, 2, 1}}) {
        const uint16_t bytesPerLine = uint16_t(width + padding);
        Bytes rows;
        Pixels expected;
        for (uint32_t i = 0; i < uint32_t(bytesPerLine) * height; ++i) {
            // Long runs, single bytes above 0xC0 and padding of its own colour.
            const bool isPadding = i % bytesPerLine >= width;
            rows.push_back(isPadding ? 0xEE : random.next() % 3 ? uint8_t(i / 40) : uint8_t(random.next()));
            if (!isPadding) expected.push_back(paletteColour(rows.back()));
        }
        EXPECT_EQ(decodeExact(pcxDecode, pcxFile({width, height, bytesPerLine}, encodeRuns(rows))).pixels, expected) << width;
    }
    // 0xC3 0x05: three of colour 5; 0xC0: none; the run of 4 ends row 0 and starts row 1.
    Pixels expected;
    for (uint8_t index : {5, 5, 5, 7, 2, 2, 2, 2, 1, 3, 3, 3}) expected.push_back(paletteColour(index));
    const Bytes handMade = pcxFile({6, 2, 6}, {0xC3, 5, 0xC0, 9, 7, 0xC4, 2, 1, 0xC3, 3});
    EXPECT_EQ(decodeExact(pcxDecode, handMade).pixels, expected);
    expectFileLoadsAsInMemory(pcxLoad, pcxDecode, handMade, "six.pcx");
}

TEST(Pcx, RefusesBadHeadersAndShortDataAndSurvivesDamage) {
    const Bytes rows = encodeRuns({1, 2, 3, 4, 5, 6});
    const PcxHeader good{3, 2, 3};
    const auto changed = [&](auto change) {
        PcxHeader h = good;
        change(h);
        return pcxFile(h, rows);
    };
    const std::pair<const char *, Bytes> refused[] = {
        {"manufacturer", changed([](PcxHeader &h) { h.manufacturer = 11; })},
        {"version 3", changed([](PcxHeader &h) { h.version = 3; })},
        {"three planes", changed([](PcxHeader &h) { h.planes = 3; })},
        {"4 bits", changed([](PcxHeader &h) { h.bitsPerPixel = 4; })},
        {"xmax < xmin", changed([](PcxHeader &h) { h.width = 0; })},
        {"ymax < ymin", changed([](PcxHeader &h) { h.height = 0; })},
        {"wider than a line", changed([](PcxHeader &h) { h.bytesPerLine = 2; })},
        {"palette marker", pcxFile(good, rows, 11)},
        {"rows end early", pcxFile(good, {1, 2, 3, 4, 0xC1})},
        // Seven bytes of runs cannot fill 65535 x 65535 pixels: refused before allocating.
        {"huge claim", changed([](PcxHeader &h) { h.xmin = h.ymin = 0, h.width = h.height = h.bytesPerLine = 65535; })},
    };
    for (const auto &[what, bytes] : refused) EXPECT_FALSE(decodeExact(pcxDecode, bytes).ok) << what;
    expectRefusesCutsAndSurvivesDamage(pcxDecode, pcxFile({3, 3, 4}, encodeRuns({1, 1, 1, 0xEE, 0xC5, 2, 2, 0, 9, 9, 9, 9})));
}

}  // namespace
}  // namespace zorblit::test
