// PCX files built here: header, run-length rows, palette block at the end.
#include "loaders/pcx.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

struct PcxHeader {
    uint8_t manufacturer = 10, version = 5, bitsPerPixel = 8, planes = 1;
    uint16_t xmin = 0, ymin = 0, xmax = 0, ymax = 0, bytesPerLine = 0;
};

// Palette entry i is (i, 255 - i, i * 7).
uint32_t paletteColour(uint8_t index) { return RGBA(index, uint8_t(255 - index), uint8_t(index * 7), 255); }

std::vector<uint8_t> pcxFile(const PcxHeader &h, const std::vector<uint8_t> &encoded, uint8_t marker = 12) {
    ByteWriter out;
    out.u8(h.manufacturer).u8(h.version).u8(1).u8(h.bitsPerPixel);
    out.u16(h.xmin).u16(h.ymin).u16(h.xmax).u16(h.ymax).fill(53, 0).u8(h.planes).u16(h.bytesPerLine).fill(60, 0);
    out.append(encoded).u8(marker);
    for (unsigned i = 0; i < 256; ++i) out.u8(uint8_t(i)).u8(uint8_t(255 - i)).u8(uint8_t(i * 7));
    return out.bytes();
}

// Run-length encoding of the whole byte stream; runs cross row ends.
std::vector<uint8_t> encodeRuns(const std::vector<uint8_t> &bytes) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < bytes.size();) {
        size_t run = 1;
        while (i + run < bytes.size() && run < 63 && bytes[i + run] == bytes[i]) ++run;
        if (run == 1 && bytes[i] < 0xC0) {
            out.push_back(bytes[i]);
        } else {
            out.push_back(uint8_t(0xC0 + run));
            out.push_back(bytes[i]);
        }
        i += run;
    }
    return out;
}

PcxHeader headerFor(uint16_t width, uint16_t height, uint16_t bytesPerLine) {
    PcxHeader h;
    h.xmin = 3;
    h.xmax = uint16_t(3 + width - 1);
    h.ymin = 10;
    h.ymax = uint16_t(10 + height - 1);
    h.bytesPerLine = bytesPerLine;
    return h;
}

std::vector<uint32_t> decoded(const std::vector<uint8_t> &bytes, uint32_t width, uint32_t height) {
    const std::string name = "pcx_" + std::to_string(width) + "x" + std::to_string(height) + ".pcx";
    return loadPixels(pcxLoad, writeTestFile(name, bytes), width, height);
}

TEST(PcxLoad, RandomPicturesDecodeWithoutTheirPadding) {
    TestRandom random(5);
    for (const auto [width, height, padding] : {std::array<uint16_t, 3>{1, 1, 0}, {3, 2, 1}, {5, 4, 3},
                                                {64, 3, 0}, {2501, 2, 1}}) {
        const uint16_t bytesPerLine = uint16_t(width + padding);
        std::vector<uint8_t> rows;
        std::vector<uint32_t> expected;
        for (uint32_t i = 0; i < uint32_t(bytesPerLine) * height; ++i) {
            // Long runs, single bytes above 0xC0 and padding of its own colour.
            const bool isPadding = i % bytesPerLine >= width;
            const uint8_t value = isPadding ? 0xEE : random.next() % 3 ? uint8_t(i / 40) : uint8_t(random.next());
            rows.push_back(value);
            if (!isPadding) expected.push_back(paletteColour(value));
        }
        EXPECT_EQ(decoded(pcxFile(headerFor(width, height, bytesPerLine), encodeRuns(rows)), width, height), expected)
            << width << " x " << height;
    }
}

TEST(PcxLoad, RunsCountFromTheMarkerAndCrossRowEnds) {
    // 0xC3 0x05: three of colour 5; 0xC0: nothing; the run of 4 ends row 0 and starts row 1.
    const std::vector<uint8_t> encoded = {0xC3, 5, 0xC0, 9, 7, 0xC4, 2, 1, 0xC3, 3};
    std::vector<uint32_t> expected;
    for (uint8_t index : {5, 5, 5, 7, 2, 2, 2, 2, 1, 3, 3, 3}) expected.push_back(paletteColour(index));
    EXPECT_EQ(decoded(pcxFile(headerFor(6, 2, 6), encoded), 6, 2), expected);
}

TEST(PcxLoad, BadHeadersAndShortDataAreRefused) {
    const std::vector<uint8_t> rows = encodeRuns({1, 2, 3, 4, 5, 6});
    const PcxHeader good = headerFor(3, 2, 3);
    auto changed = [&](auto change) {
        PcxHeader h = good;
        change(h);
        return pcxFile(h, rows);
    };
    const std::vector<std::pair<const char *, std::vector<uint8_t>>> refused = {
        {"manufacturer", changed([](PcxHeader &h) { h.manufacturer = 11; })},
        {"version 3", changed([](PcxHeader &h) { h.version = 3; })},
        {"three planes", changed([](PcxHeader &h) { h.planes = 3; })},
        {"4 bits", changed([](PcxHeader &h) { h.bitsPerPixel = 4; })},
        {"xmax < xmin", changed([](PcxHeader &h) { h.xmax = 2; })},
        {"ymax < ymin", changed([](PcxHeader &h) { h.ymax = 9; })},
        {"wider than a line", changed([](PcxHeader &h) { h.bytesPerLine = 2; })},
        {"palette marker", pcxFile(good, rows, 11)},
        {"rows end early", pcxFile(good, {1, 2, 3, 4, 0xC1})},
        // Seven bytes of runs cannot fill 65535 × 65535 pixels: refused before allocating.
        {"huge claim", changed([](PcxHeader &h) { h.xmin = 0, h.xmax = h.ymax = h.bytesPerLine = 65535, h.ymin = 0; })},
    };
    for (const auto &[what, bytes] : refused) {
        GFXimage image = sentinelImage();
        EXPECT_FALSE(pcxLoad(&image, writeTestFile("pcx_refused.pcx", bytes).c_str())) << what;
        EXPECT_TRUE(isSentinel(image)) << what;
    }
}

TEST(PcxLoad, TruncatedOrCorruptFilesNeverMisbehave) {
    const std::vector<uint8_t> bytes = pcxFile(headerFor(3, 3, 4), encodeRuns({1, 1, 1, 0xEE, 0xC5, 2, 2, 0, 9, 9, 9, 9}));
    expectEveryTruncationRefused(pcxDecode, bytes);
    expectSurvivesByteCorruption(pcxDecode, bytes);
}

TEST(PcxLoad, FilesWrittenByImageMagick) {
    if (!imageMagickAvailable()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TestRandom random(14);
    for (const uint32_t width : {13u, 300u}) {
        const std::string path = convertPicture(randomPicture(random, width, 9, 200), "-type Palette", "", "magick.pcx");
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(loadPixels(pcxLoad, path, width, 9), readWithImageMagick(path).opaque()) << width;
    }
}

}  // namespace
}  // namespace zorblit::test
