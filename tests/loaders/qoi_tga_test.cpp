// QOI: pictures encoded by a writer of our own (the format's reference algorithm)
// and read back; TGA: files Pillow writes in every mode it has, compared with
// Pillow's own reading; hand-made files of both for what those cannot write.
#include <array>

#include "loaders/png.h"
#include "loaders/qoi.h"
#include "loaders/tga.h"
#include "qoi_writer.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// Runs, small steps, repeats of earlier colours and jumps, with alpha changes.
Pixels randomPixels(TestRandom &random, size_t count, bool alpha) {
    Pixels pixels;
    uint32_t p = 0xFF000000;
    while (pixels.size() < count) {
        switch (random.next() % 5) {
        case 0: p = uint32_t(random.next()); break;
        case 1: p = pixels.empty() ? p : pixels[random.next() % pixels.size()]; break;
        case 2: p += uint32_t(random.next() % 3) * 0x010101u; break;
        case 3: p ^= uint32_t(random.next() % 16) << 8 | uint32_t(random.next() % 64); break;
        default: break;
        }
        if (!alpha) p |= 0xFF000000;
        pixels.insert(pixels.end(), std::min<size_t>(count - pixels.size(), 1 + random.next() % 70), p);
    }
    return pixels;
}

TEST(Qoi, PhotosAndRandomPicturesRoundTrip) {
    TestRandom random(41);
    for (const auto &[width, height] : {std::pair{1u, 1u}, {5u, 3u}, {64u, 64u}, {301u, 17u}}) {
        for (const bool alpha : {false, true}) {
            const Pixels pixels = randomPixels(random, size_t(width) * height, alpha);
            const Bytes file = qoiEncode(pixels, width, height, alpha ? 4 : 3);
            EXPECT_EQ(decodeExact(qoiDecode, file).pixels, pixels) << width << "x" << height;
            if (width == 5 && alpha) expectRefusesCutsAndSurvivesDamage(qoiDecode, file);
        }
    }
    for (const std::string &path : samplePictures(".png")) {
        GFXimage photo{};
        const Bytes png = readFile(path);
        ASSERT_TRUE(pngLoadMem(&photo, png.data(), uint32_t(png.size()))) << path;
        const Pixels pixels(photo.data, photo.data + size_t(photo.width) * photo.height);
        EXPECT_EQ(decodeExact(qoiDecode, qoiEncode(pixels, photo.width, photo.height)).pixels, pixels) << path;
        FreeImage(&photo);
    }
}

TEST(Qoi, HandMadeOperationsAndRefusals) {
    ByteWriter header;
    header.big = true;
    header.u8('q').u8('o').u8('i').u8('f').u32(4).u32(2).u8(4).u8(1);
    const auto file = [&](const Bytes &ops) { return ByteWriter(header).append(ops).fill(7, 0).u8(1).bytes; };
    // RGB 10,20,30; diff -2,-1,+1; luma dg +5, dr-dg -8, db-dg +7; RGBA; index of
    // the first (hash (10*3 + 20*5 + 30*7 + 255*11) % 64 = 9); run of 3.
    const Bytes ops = {0xFE, 10, 20, 30, 0x40 | 0 << 4 | 1 << 2 | 3, 0x80 | 37, 0x0F, 0xFF, 1, 2, 3, 4, 9, 0xC2};
    expectCases(qoiDecode, {
        {"operations", file(ops), {0xFF0A141E, 0xFF08131F, 0xFF05182B, 0x04010203, 0xFF0A141E, 0xFF0A141E, 0xFF0A141E, 0xFF0A141E}},
        // A run at the start repeats opaque black; a run past the end is cut short.
        {"runs", file({0xC1, 0xFD}), Pixels(8, 0xFF000000)},
        {"too few pixels", file({0xC1})}, {"magic", withField(file(ops), 0, 'Q', 1)},
        {"5 channels", withField(file(ops), 12, 5, 1)}, {"colour space 2", withField(file(ops), 13, 2, 1)},
        {"end marker", flipped(file(ops), -1, 1)}, {"zero width", withField(file(ops), 4, 0)},
        // 2^16 x 2^12 claimed by 15 bytes of operations: refused before allocating.
        {"huge claim", withField(withField(file(ops), 4, 0x100), 8, 0x10, 4)}});
    GFXimage image{};
    Bytes cut = file(ops);
    cut.pop_back();
    EXPECT_FALSE(qoiLoadMem(&image, cut.data(), uint32_t(cut.size())));
    EXPECT_EQ(std::string(LoadFailureReason()), "QOI end marker missing at byte " + std::to_string(cut.size()));
    expectFileLoadsAsInMemory(qoiLoad, qoiDecode, file(ops), "eight.qoi");
}

// Pillow writes random pictures in each TGA mode, raw and run-length, both row
// orders, and gives its own reading as RGBA bytes beside each.
TEST(Tga, FilesWrittenByPillowMatchItsReading) {
    if (std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") != 0) GTEST_SKIP() << "Pillow is not installed";
    const std::string script = outputPath("write_tgas.py"), base = outputPath("pillow_tga");
    std::ofstream(script) << R"(import random, sys
from PIL import Image
random.seed(7)
n = 0
for mode in ('L', 'LA', 'P', 'RGB', 'RGBA'):
    for compression in (None, 'tga_rle'):
        for orientation in (-1, 1):
            w, h = random.choice([(1, 1), (7, 3), (130, 5)])
            im = Image.new(mode, (w, h))
            if mode == 'P':
                im.putpalette([random.randrange(256) for _ in range(768)])
            data, value = [], tuple(0 for _ in im.getbands())
            while len(data) < w * h:
                value = tuple(random.randrange(256) for _ in im.getbands()) if random.random() < 0.5 else value
                data += [value[0] if len(value) == 1 else value] * random.randrange(1, 140)
            im.putdata(data[:w * h])
            path = sys.argv[1] + str(n)
            im.save(path + '.tga', compression=compression, orientation=orientation)
            open(path + '.rgba', 'wb').write(Image.open(path + '.tga').convert('RGBA').tobytes())
            n += 1
print(n)
)";
    ASSERT_EQ(std::system(("/usr/bin/python3 " + script + " " + base + " >/dev/null").c_str()), 0);
    for (int n = 0; n < 20; ++n) {
        const Bytes file = readFile(base + std::to_string(n) + ".tga"), rgba = readFile(base + std::to_string(n) + ".rgba");
        Pixels expected;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            expected.push_back(uint32_t(rgba[i + 3]) << 24 | uint32_t(rgba[i]) << 16 | uint32_t(rgba[i + 1]) << 8 | rgba[i + 2]);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(decodeExact(tgaDecode, file).pixels, expected) << "file " << n << ", type " << int(file.at(2)) << ", descriptor " << int(file.at(17));
    }
}

// An 18-byte header; then the colour map and pixels given.
Bytes tgaFile(uint8_t type, uint8_t bits, uint16_t width, uint16_t height, uint8_t descriptor, const Bytes &rest,
              uint16_t mapFirst = 0, uint16_t mapLength = 0, uint8_t mapBits = 0) {
    return ByteWriter().u8(2).u8(mapLength ? 1 : 0).u8(type).u16(mapFirst).u16(mapLength).u8(mapBits).u16(0).u16(0)
        .u16(width).u16(height).u8(bits).u8(descriptor).u8('i').u8('d').append(rest).bytes;
}

TEST(Tga, HandMadeFilesAndRefusals) {
    // 16 bits: 0x7C00 red, 0x03E0 green with the alpha bit, 0x001F blue, 0x4210 half grey (16 of 31: 132).
    const Bytes sixteen = {0x00, 0x7C, 0xE0, 0x83, 0x1F, 0x00, 0x10, 0x42};
    // Colour map entries 5 and 6 (24 bits), 16-bit indices 5, 6, 7 (outside), 4 (outside).
    const Bytes mapped = tgaFile(1, 16, 4, 1, 0x20, {1, 2, 3, 4, 5, 6, 5, 0, 6, 0, 7, 0, 4, 0}, 5, 2, 24);
    // Run-length grey: a run of 3 of 9, then raw 1 and 2, crossing rows; right to left, top down.
    const Bytes runs = tgaFile(11, 8, 2, 3, 0x30, {0x82, 9, 0x02, 1, 2, 7});
    const auto grey = [](uint32_t v) { return 0xFF000000 | v * 0x010101; };
    expectCases(tgaDecode, {
        {"16 bits with alpha bits, bottom up", tgaFile(2, 16, 2, 2, 0x01, sixteen), {0x000000FF, 0x00848484, 0x00FF0000, 0xFF00FF00}},
        {"15 bits: no alpha", tgaFile(2, 15, 2, 2, 0x20, sixteen), {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848484}},
        {"32 bits without alpha bits", tgaFile(2, 32, 1, 1, 0x20, {1, 2, 3, 4}), {0xFF030201}},
        {"32 bits with alpha bits", tgaFile(2, 32, 1, 1, 0x28, {1, 2, 3, 4}), {0x04030201}},
        {"16-bit indices from entry 5", mapped, {0xFF030201, 0xFF060504, 0, 0}},
        {"runs across rows, right to left", runs, {grey(9), grey(9), grey(1), grey(9), grey(7), grey(2)}},
        {"no image", tgaFile(0, 8, 1, 1, 0, {0})}, {"type 32", tgaFile(32, 8, 1, 1, 0, {0})},
        {"grey of 24 bits", tgaFile(3, 24, 1, 1, 0, {0, 0, 0})}, {"mapped without a map", tgaFile(1, 8, 1, 1, 0, {0})},
        {"map of 8-bit entries", tgaFile(1, 8, 1, 1, 0, {0, 0}, 0, 1, 8)}, {"zero width", tgaFile(2, 24, 0, 1, 0, {})},
        {"pixels short", tgaFile(2, 24, 2, 1, 0, {1, 2, 3, 4, 5})},
        {"huge claim", tgaFile(10, 24, 65535, 65535, 0, {0xFF, 1, 2, 3})}});
    expectRefusesCutsAndSurvivesDamage(tgaDecode, mapped);
    expectRefusesCutsAndSurvivesDamage(tgaDecode, runs);
    expectFileLoadsAsInMemory(tgaLoad, tgaDecode, runs, "six.tga");
}

}  // namespace
}  // namespace zorblit::test
