// Inflate against zlib, and the refusals of bad streams (the checksums are checked
// through every PNG file and the kernels' tests); then the
// PNG reader against libpng on files libpng wrote, on real pictures, and on files
// built chunk by chunk for what libpng would not write.
#include <optional>

#include "loaders/inflate.h"
#include "loaders/png.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

constexpr DeflateFraming zlib = DeflateFraming::zlib, raw = DeflateFraming::raw;

std::optional<Bytes> inflated(const Bytes &in, DeflateFraming framing, size_t limit = SIZE_MAX) {
    InflatedBytes result;
    if (!inflate(in.data(), in.size(), framing, limit, result)) return std::nullopt;
    return Bytes(result.data.get(), result.data.get() + result.size);
}

TEST(Inflate, MatchesZlibForEveryLevelStrategyAndFraming) {
    for (int kind = 0; kind < 4; ++kind)
        for (size_t size : {0, 1, 300, 100000})
            for (int level : {0, 1, 6, 9})
                for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE})
                    for (bool isRaw : {false, true}) {
                        const Bytes data = sampleData(kind, size, uint64_t(kind) * 31 + size);
                        ASSERT_TRUE(inflated(deflateBytes(data, level, isRaw, strategy), isRaw ? raw : zlib) == data)
                            << kind << " " << size << " " << level << " " << strategy << " " << isRaw;
                    }
}

// A zlib header with valid check bits, followed by the rest of stream.
Bytes withHeader(uint8_t cmf, uint8_t flags, Bytes stream) {
    stream.at(0) = cmf, stream.at(1) = uint8_t(flags + (31 - (cmf * 256u + flags) % 31) % 31);
    return stream;
}

TEST(Inflate, RefusesBadStreamsKeepsTheLimitAndSurvivesDamage) {
    const Bytes text = sampleData(1, 2000, 5), z = deflateBytes(text), periodic = sampleData(2, 50000, 9);
    EXPECT_EQ(inflated(withHeader(0x78, 0x80, z), zlib), text);
    EXPECT_TRUE(inflated(deflateBytes(periodic), zlib, periodic.size()) == periodic);
    EXPECT_FALSE(inflated(deflateBytes(periodic), zlib, periodic.size() - 1)) << "limit";
    const std::tuple<const char *, DeflateFraming, Bytes> refused[] = {
        {"method 7", zlib, withHeader(0x77, 0x80, z)}, {"window 2^16", zlib, withHeader(0x88, 0x80, z)},
        {"preset dictionary", zlib, withHeader(0x78, 0xA0, z)}, {"check bits", zlib, flipped(z, 1, 1)},
        {"Adler-32", zlib, flipped(z, -1, 1)},
        // Raw streams no encoder writes.
        {"block type 3", raw, {0x07}}, {"stored length check", raw, {0x01, 0x05, 0x00, 0x00, 0xFF, 'a', 'b', 'c', 'd', 'e'}},
        {"stored data cut short", raw, {0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b'}},
        // Fixed codes: length symbol 257 (0000001), distance code 0, with no output yet.
        {"distance beyond the output", raw, {0x03, 0x02, 0x00}},
        // Dynamic header with all 19 code-length codes one bit long.
        {"over-subscribed code", raw, {0x05, 0xE0, 0x93, 0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x00}}};
    for (const auto &[what, framing, stream] : refused) EXPECT_FALSE(inflated(stream, framing)) << what;
    for (size_t length = 0; length < z.size(); ++length)
        ASSERT_FALSE(inflated(Bytes(z.begin(), z.begin() + ptrdiff_t(length)), zlib)) << length;
    // Random bit flips in a dynamic-code stream of back-references, held to its true size: refused or
    // decoded within the limit, never a crash.
    const Bytes data = sampleData(2, 4000, 11), stream = deflateBytes(data, 9);
    TestRandom random(17);
    for (int trial = 0; trial < 3000; ++trial) {
        const auto out = inflated(flipped(stream, ptrdiff_t(random.range(0, int64_t(stream.size()) - 1)), uint8_t(1 << random.range(0, 7))),
                                  zlib, data.size());
        ASSERT_TRUE(!out || out->size() <= data.size()) << trial;
    }
}

// libpng's writing of random samples (palette indices within a palette of random
// size), about one pixel in five the tRNS colour when transparency is asked for.
Bytes writeWithLibpng(int colourType, int depth, uint32_t width, uint32_t height, bool interlaced, bool transparency, uint64_t seed) {
    TestRandom random(seed);
    const int maxSample = (1 << depth) - 1, channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const int colours = colourType == PNG_COLOR_TYPE_PALETTE ? 1 + int(random.range(0, maxSample)) : 0;
    const bool keyed = transparency && (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_RGB);
    Bytes palette(size_t(colours) * 3), paletteAlpha(transparency ? size_t(colours + 1) / 2 : 0), out;
    for (Bytes *bytes : {&palette, &paletteAlpha}) std::generate(bytes->begin(), bytes->end(), [&] { return uint8_t(random.next()); });
    const uint16_t key[3] = {uint16_t(random.range(0, maxSample)), uint16_t(random.range(0, maxSample)), uint16_t(random.range(0, maxSample))};
    const png_color_16 keyColour{0, key[0], key[1], key[2], key[0]};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);  // an error aborts: only valid pictures are written
    png_set_write_fn(png, &out, [](png_structp s, png_bytep data, png_size_t length) {
        static_cast<Bytes *>(png_get_io_ptr(s))->insert(static_cast<Bytes *>(png_get_io_ptr(s))->end(), data, data + length);
    }, nullptr);
    png_set_IHDR(png, info, width, height, depth, colourType, interlaced, 0, 0);
    if (colours) png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(palette.data()), colours);
    if (!paletteAlpha.empty()) png_set_tRNS(png, info, paletteAlpha.data(), int(paletteAlpha.size()), nullptr);
    if (keyed) png_set_tRNS(png, info, nullptr, 0, &keyColour);
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    png_write_info(png, info);
    // Rows at the file's depth: big-endian 16-bit samples, sub-byte samples most significant first.
    std::vector<Bytes> rows(height, Bytes((size_t(width) * channels * depth + 7) / 8, 0));
    std::vector<png_bytep> pointers;
    for (Bytes &row : rows) {
        for (uint32_t x = 0; x < width; ++x) {
            const bool useKey = keyed && random.range(0, 4) == 0;
            for (size_t c = 0, i = size_t(x) * channels; c < size_t(channels); ++c, ++i) {
                const uint16_t v = useKey ? key[c] : uint16_t(random.range(0, colours ? colours - 1 : maxSample));
                if (depth == 16) row[2 * i] = uint8_t(v >> 8), row[2 * i + 1] = uint8_t(v);
                else row[i * depth / 8] |= uint8_t(v << (8 - depth - i * depth % 8));
            }
        }
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data()), png_write_end(png, info), png_destroy_write_struct(&png, &info);
    return out;
}

TEST(Png, EveryLayoutAndRealFilesMatchLibpng) {
    const std::pair<int, int> layouts[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                                           {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    uint64_t seed = 1;
    for (const auto &[colourType, depth] : layouts)
        for (const bool interlaced : {false, true})
            for (const bool transparency : {false, true})
                for (const auto &[width, height] : {std::pair{1u, 1u}, {3u, 2u}, {7u, 9u}, {33u, 17u}}) {
                    const Bytes file = writeWithLibpng(colourType, depth, width, height, interlaced, transparency, ++seed);
                    const Pixels expected = readWithLibpng(file);
                    ASSERT_FALSE(expected.empty());
                    ASSERT_EQ(decodeExact(pngLoadMem, file).pixels, expected) << "type " << colourType << " depth " << depth
                        << " interlaced " << interlaced << " tRNS " << transparency << " " << width << "x" << height;
                }
    expectRefusesCutsAndSurvivesDamage(pngDecode, writeWithLibpng(PNG_COLOR_TYPE_RGB_ALPHA, 8, 5, 4, true, false, 7));
    for (const std::string &path : samplePictures(".png"))
        EXPECT_EQ(decodeExact(pngLoadMem, readFile(path)).pixels, readWithLibpng(readFile(path))) << path;
}

// One filtered row per image row, filter type 0.
Bytes plainRows(uint32_t height, const Bytes &row) {
    Bytes rows;
    for (uint32_t y = 0; y < height; ++y) rows.push_back(0), rows.insert(rows.end(), row.begin(), row.end());
    return rows;
}

// Files libpng would not write: our choices on odd files, and what is refused (no pixels).
TEST(Png, HandMadeFiles) {
    const Bytes grey = plainRows(1, {0}), rgb = plainRows(1, {1, 2, 3}), compressed = deflateBytes(plainRows(2, {9, 8, 7}));
    const auto greyKey = [](uint8_t depth, uint8_t key, const Bytes &row) {
        return PngBuilder().header(2, 1, depth, 0).chunk("tRNS", {key}).idat(plainRows(1, row)).end();
    };
    const auto rgbAt = [&](uint8_t depth, uint8_t type) { return PngBuilder().header(1, 1, depth, type).idat(rgb).end(); };
    const auto greyRows = [](uint32_t rows) { return PngBuilder().header(1, 3, 8, 0).idat(plainRows(rows, {7})).end(); };
    const auto greyWith = [&](const char *type, const Bytes &data) { return PngBuilder().header(1, 1, 8, 0).chunk(type, data).idat(grey).end(); };
    const Bytes good = greyRows(3);
    expectCases(pngLoadMem, {
        {"ancillary chunks skipped, index beyond the palette transparent black",
         PngBuilder().header(3, 1, 8, 3).chunk("gAMA", {0, 0, 0xB1, 0x8F}).chunk("PLTE", {1, 2, 3, 4, 5, 6})
             .idat(plainRows(1, {1, 2, 255})).chunk("tEXt", {'a', 0, 'b'}).end(), {0xFF040506, 0, 0}},
        // After a palette tRNS, a further PLTE holds red, green, blue and alpha.
        {"PLTE after tRNS", PngBuilder().header(2, 1, 8, 3).chunk("PLTE", {1, 2, 3}).chunk("tRNS", {0x80})
                                .chunk("PLTE", {4, 5, 6, 7}).idat(plainRows(1, {0, 1})).end(), {0x80010203, 0x07040506}},
        // A one-byte tRNS holds the high byte of the expanded grey level; 4-bit grey has no such level for 16.
        {"one-byte key, 8 bits", greyKey(8, 128, {128, 127}), {0x00808080, 0xFF7F7F7F}},
        {"one-byte key, 4 bits", greyKey(4, 17, {0x12}), {0x00111111, 0xFF222222}},
        {"one-byte key, no 4-bit level", greyKey(4, 16, {0x11}), {0xFF111111, 0xFF111111}},
        // CgBI: blue, green, red, alpha, premultiplied, raw deflate; 200 above alpha 100 saturates.
        {"CgBI", PngBuilder().chunk("CgBI", {0x50, 0, 0x20, 2}).header(3, 1, 8, 6)
                     .idat(plainRows(1, {40, 20, 10, 128, 0, 0, 0, 0, 200, 100, 50, 100}), true).end(), {0x8013274F, 0, 0x647FFFFF}},
        // A suggested palette in a true-colour image is skipped; a grey image may have none.
        {"PLTE in an RGB image", PngBuilder().header(1, 1, 8, 2).chunk("PLTE", {9, 9, 9}).idat(rgb).end(), {0xFF010203}},
        {"PLTE in a grey image", greyWith("PLTE", {1, 2, 3}), {}, "PNG palette in a grey image"},
        {"RGB at 4 bits", rgbAt(4, 2)}, {"palette at 16 bits", rgbAt(16, 3)}, {"colour type 1", rgbAt(8, 1)},
        {"palette image without PLTE", PngBuilder().header(1, 1, 8, 3).idat(grey).end()},
        {"tRNS after IDAT", PngBuilder().header(1, 1, 8, 0).idat(grey).chunk("tRNS", {0, 0}).end()},
        {"tRNS of the wrong size", greyWith("tRNS", {0, 0, 0})}, {"no image data", PngBuilder().header(1, 1, 8, 0).end()},
        {"second IHDR", PngBuilder().header(1, 1, 8, 0).header(1, 1, 8, 0).idat(grey).end()},
        {"rows exactly", good, Pixels(3, 0xFF070707)}, {"rows short", greyRows(2), {}, "damaged PNG image data"},
        {"rows beyond the image", greyRows(4)},
        // A few bytes claiming 2^24 x 64 pixels fail on the missing data; 2^25 x 1 is beyond the limits.
        {"huge claim", PngBuilder().header(1u << 24, 64, 1, 0).idat(grey).end()},
        {"huge claim, one more row", PngBuilder().header(1u << 24, 65, 1, 0).idat(grey).end()},
        {"too large", PngBuilder().header(1u << 25, 1, 8, 0).idat(grey).end(), {}, "image too large"},
        {"bad Adler-32", PngBuilder().header(1, 2, 8, 2).chunk("IDAT", flipped(compressed, -1, 0x10)).end()},
        {"bad CRC", flipped(good, 33 + 9, 1), {}, "PNG chunk checksum mismatch at byte 33"},  // in the IDAT data
        {"bad CRC of a short chunk", flipped(greyKey(8, 128, {128, 127}), 33 + 12 + 1, 1)},  // in the CRC of tRNS
        {"bad CRC of IEND", flipped(good, -1, 1)}, {"not a PNG", {1, 2, 3}, {}, "not a PNG file"},
        {"no IEND", Bytes(good.begin(), good.end() - 12), {}, "PNG file ends before IEND at byte " + std::to_string(good.size() - 12)}});
    // Image data split between two IDAT chunks at every place.
    for (size_t at = 0; at <= compressed.size(); ++at) {
        const Bytes first(compressed.begin(), compressed.begin() + ptrdiff_t(at)), rest(compressed.begin() + ptrdiff_t(at), compressed.end());
        const Bytes file = PngBuilder().header(1, 2, 8, 2).chunk("IDAT", first).chunk("IDAT", rest).end();
        EXPECT_EQ(decodeExact(pngLoadMem, file).pixels, Pixels(2, 0xFF090807)) << at;
    }
    EXPECT_STREQ(LoadFailureReason(), "") << "a success clears the reason";
}

}  // namespace
}  // namespace zorblit::test
