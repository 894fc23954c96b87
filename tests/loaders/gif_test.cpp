// GIF files from a small writer of our own (both code-table policies, every code
// size, interlacing, frames placed anywhere), read by giflib and composited here
// the plain way as the oracle; hand-made damage and reasons. giflib's writer would
// not do: it always clears a full table and starts with a clear code.
#include <gif_lib.h>

#include <map>

#include "loaders/gif.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// LZW codes of a frame's indices. clearWhenFull: a clear code when a full table
// would need a new entry (else the full table stays in use).
Bytes lzwEncode(const Bytes &indices, unsigned minCodeSize, bool clearWhenFull, bool clearFirst) {
    Bytes out;
    uint64_t accumulator = 0;
    unsigned pending = 0, clear = 1u << minCodeSize, end = clear + 1, size = minCodeSize + 1, next = end + 1;
    std::map<std::pair<unsigned, uint8_t>, unsigned> table;
    const auto emit = [&](unsigned code) {
        accumulator |= uint64_t(code) << pending;
        for (pending += size; pending >= 8; pending -= 8, accumulator >>= 8) out.push_back(uint8_t(accumulator));
    };
    if (clearFirst) emit(clear);
    unsigned word = indices.at(0);
    for (size_t i = 1; i < indices.size(); ++i) {
        if (const auto found = table.find({word, indices[i]}); found != table.end()) {
            word = found->second;
            continue;
        }
        emit(word);
        if (next < 4096) {
            table[{word, indices[i]}] = next++;
            if (next > 1u << size && size < 12) ++size;
        } else if (clearWhenFull) {
            emit(clear);
            table.clear(), size = minCodeSize + 1, next = end + 1;
        }
        word = indices[i];
    }
    emit(word), emit(end);
    if (pending) out.push_back(uint8_t(accumulator));
    return out;
}

// One image of a file to write: indices in picture row order, palettes 0xRRGGBB;
// a graphic control block when control, with the transparent index (-1: none),
// disposal and delay.
struct GifImage {
    uint16_t left = 0, top = 0, width = 0, height = 0;
    Bytes indices;
    Pixels palette{};  // a local colour table, or empty
    bool interlaced = false, control = false;
    int transparent = -1;
    unsigned disposal = 0, delay = 0, minCodeSize = 8;
    bool clearWhenFull = true, clearFirst = true;
    size_t subBlock = 255;
};

Bytes gifFile(uint16_t width, uint16_t height, const Pixels &global, const std::vector<GifImage> &images) {
    ByteWriter out{{'G', 'I', 'F', '8', '9', 'a'}};
    // A colour table's flags: n entries, a power of two from 2 to 256, as log2(n) - 1.
    const auto flags = [](const Pixels &colours) { return colours.empty() ? 0u : 0x80u | uint32_t(std::countr_zero(colours.size()) - 1); };
    const auto colourTable = [&out](const Pixels &colours) { for (const uint32_t c : colours) out.u8(c >> 16).u8(c >> 8).u8(c); };
    out.u16(width).u16(height).u8(flags(global)).u8(0).u8(0);
    colourTable(global);
    for (const GifImage &image : images) {
        if (image.control)
            out.u8(0x21).u8(0xF9).u8(4).u8(image.disposal << 2 | (image.transparent >= 0)).u16(image.delay)
                .u8(image.transparent >= 0 ? image.transparent : 0).u8(0);
        out.u8(0x21).u8(0xFE).u8(3).u8('a').u8('b').u8('c').u8(0);  // a comment, skipped
        out.u8(0x2C).u16(image.left).u16(image.top).u16(image.width).u16(image.height);
        out.u8(flags(image.palette) | (image.interlaced ? 0x40 : 0));
        colourTable(image.palette);
        Bytes stored;
        for (uint32_t pass = 0; pass < (image.interlaced ? 4u : 1u); ++pass) {
            static constexpr uint32_t first[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (uint32_t y = image.interlaced ? first[pass] : 0; y < image.height; y += image.interlaced ? step[pass] : 1)
                stored.insert(stored.end(), image.indices.begin() + y * image.width, image.indices.begin() + (y + 1) * image.width);
        }
        const Bytes codes = lzwEncode(stored, image.minCodeSize, image.clearWhenFull, image.clearFirst);
        out.u8(image.minCodeSize);
        for (size_t at = 0; at < codes.size(); at += image.subBlock) {
            const size_t n = std::min(image.subBlock, codes.size() - at);
            out.u8(uint32_t(n)).append(Bytes(codes.begin() + ptrdiff_t(at), codes.begin() + ptrdiff_t(at + n)));
        }
        out.u8(0);
    }
    return out.u8(0x3B).bytes;
}

// Every frame of ours against giflib's reading, composited here: a transparent
// canvas, each image drawn without its transparent index, then disposed of. The
// first frame is also gifLoad's picture, decoded from a block of the file's exact size.
void expectSameAsGiflib(const Bytes &file, const std::string &what) {
    SCOPED_TRACE(what);
    int error = 0;
    writeFile(outputPath("giflib.gif"), file);
    GifFileType *gif = DGifOpenFileName(outputPath("giflib.gif").c_str(), &error);
    ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK) << "giflib refused it";
    GFXimage *frames = nullptr;
    uint32_t *delays = nullptr, count = 0;
    ASSERT_TRUE(gifLoadFramesMem(file.data(), uint32_t(file.size()), &frames, &delays, &count));
    ASSERT_EQ(count, uint32_t(gif->ImageCount));
    const uint32_t width = uint32_t(gif->SWidth), height = uint32_t(gif->SHeight);
    Pixels canvas(size_t(width) * height, 0);
    for (uint32_t i = 0; i < count; ++i) {
        const SavedImage &image = gif->SavedImages[i];
        const GifImageDesc &d = image.ImageDesc;
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif, int(i), &control);
        const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        const Pixels before = canvas;
        const auto each = [&](auto body) {  // each pixel of the image that falls on the canvas
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x)
                    if (uint32_t(d.Left + x) < width && uint32_t(d.Top + y) < height)
                        body(canvas[uint32_t(d.Top + y) * width + uint32_t(d.Left + x)], image.RasterBits[y * d.Width + x]);
        };
        each([&](uint32_t &pixel, int index) {
            const GifColorType c = index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
            if (index != control.TransparentColor) pixel = 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
        });
        EXPECT_EQ(frames[i].width, width);
        EXPECT_EQ(Pixels(frames[i].data, frames[i].data + size_t(frames[i].width) * frames[i].height), canvas) << "frame " << i;
        EXPECT_EQ(delays[i], uint32_t(control.DelayTime) * 10) << "frame " << i;
        if (i == 0) { EXPECT_EQ(decodeExact(gifDecode, file).pixels, canvas); }
        if (control.DisposalMode == DISPOSE_BACKGROUND) each([](uint32_t &pixel, int) { pixel = 0; });
        if (control.DisposalMode == DISPOSE_PREVIOUS) canvas = before;
    }
    gifFreeFrames(frames, delays, count), DGifCloseFile(gif, &error);
}

Pixels randomPalette(TestRandom &random, size_t n) {
    Pixels palette;
    while (palette.size() < n) palette.push_back(uint32_t(random.next()) & 0xFFFFFF);
    return palette;
}
// Indices below colours, in runs of random length: long runs fill the code table fast.
Bytes randomIndices(TestRandom &random, size_t count, unsigned colours, unsigned maxRun) {
    Bytes indices;
    while (indices.size() < count)
        indices.insert(indices.end(), std::min<size_t>(count - indices.size(), 1 + random.next() % maxRun), uint8_t(random.next() % colours));
    return indices;
}

TEST(Gif, OurWriterMatchesGiflib) {
    TestRandom random(31);
    // Every code size and table policy, enough pixels to fill the table several times; some
    // frames in one-byte sub-blocks, without the leading clear code.
    for (const unsigned minCodeSize : {2u, 3u, 5u, 8u})
        for (const bool clearWhenFull : {true, false})
            for (const bool interlaced : {false, true}) {
                GifImage image{0, 0, 150, 97, randomIndices(random, 150 * 97, 1u << minCodeSize, minCodeSize * 3)};
                image.interlaced = interlaced, image.minCodeSize = minCodeSize, image.clearWhenFull = clearWhenFull;
                image.clearFirst = !interlaced, image.subBlock = clearWhenFull ? 255 : 1;
                expectSameAsGiflib(gifFile(150, 97, randomPalette(random, 1u << minCodeSize), {image}),
                                   "code size " + std::to_string(minCodeSize) + (clearWhenFull ? " clearing" : " full table") + (interlaced ? " interlaced" : ""));
            }
    // Animations: frames anywhere, also partly or wholly off the screen, with a local table when
    // there is no global one, transparency, every disposal.
    for (int round = 0; round < 12; ++round) {
        const uint16_t width = uint16_t(random.range(1, 40)), height = uint16_t(random.range(1, 30));
        std::vector<GifImage> images;
        const bool global = round % 3 != 0;
        for (int i = 0; i < 6; ++i) {
            const uint16_t w = uint16_t(random.range(1, 45)), h = uint16_t(random.range(1, 35));
            GifImage image{uint16_t(i ? random.range(0, width) : 0), uint16_t(i ? random.range(0, height) : 0), w, h, randomIndices(random, size_t(w) * h, 16, 6)};
            if (!global || random.next() % 3 == 0) image.palette = randomPalette(random, 16);
            image.interlaced = random.next() % 2, image.minCodeSize = 4, image.control = random.next() % 4 != 0;
            image.transparent = random.next() % 2 ? int(random.next() % 16) : -1;
            image.disposal = unsigned(random.next() % 5), image.delay = unsigned(random.next() % 300);
            images.push_back(image);
        }
        expectSameAsGiflib(gifFile(width, height, global ? randomPalette(random, 16) : Pixels{}, images), "round " + std::to_string(round));
    }
}

TEST(Gif, HandMadeFilesDamageAndReasons) {
    const Pixels palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    const uint32_t a = 0xFF102030, b = 0xFF405060, c = 0xFF708090;
    const auto one = [&](GifImage image, uint16_t width = 3, uint16_t height = 2, const Pixels &global = {}) {
        image.minCodeSize = 2;
        return gifFile(width, height, global.empty() ? palette : global, {image});
    };
    const Bytes good = one({0, 0, 3, 2, {0, 1, 2, 2, 1, 0}});
    // Header 13 bytes, table 12, comment 7, image descriptor 10, code size 1: codes from byte 43.
    constexpr size_t kCodesAt = 43, kImageAt = 13 + 12 + 7;
    GifImage transparentOffset{1, 1, 2, 2, {0, 3, 3, 1}};
    transparentOffset.control = true, transparentOffset.transparent = 3;
    expectCases(gifLoadMem, {
        {"plain", good, {a, b, c, c, b, a}},
        // Offset on the screen, transparent index 3, the rest of the canvas transparent black.
        {"offset and transparent", one(transparentOffset), {0, 0, 0, 0, a, 0}},
        // Index 3 lies past a two-entry table: opaque black.
        {"beyond the table", one({0, 0, 2, 1, {1, 3}}, 2, 1, {0x102030, 0x405060}), {b, 0xFF000000}},
        {"GIF87a", withField(good, 4, '7', 1), {a, b, c, c, b, a}}, {"no trailer", Bytes(good.begin(), good.end() - 1), {a, b, c, c, b, a}},
        {"signature", withField(good, 4, '8', 1)}, {"not a GIF", withField(good, 0, 'g', 1), {}, "not a GIF file"},
        {"no colour table", gifFile(1, 1, {}, {GifImage{0, 0, 1, 1, {0}}})},
        {"code size 9", withField(good, kCodesAt - 1, 9, 1), {}, "bad GIF code size at byte 42"},
        {"code size 0", withField(good, kCodesAt - 1, 0, 1)}, {"zero screen", withField(good, 6, 0, 2)},
        {"a row short", withField(good, kImageAt + 7, 3, 2)}, {"no image", gifFile(2, 2, palette, {})},
        {"table cut", Bytes(good.begin(), good.begin() + 20), {}, "GIF colour table runs past the end at byte 20"},
        // A first code that is not a root: 6 (code size 3, after the clear code 4).
        {"first code from the empty table", withField(good, kCodesAt + 1, 0x34, 1)},
        // 65535 x 65535 pixels from a few bytes: refused before allocating.
        {"huge screen", withField(good, 6, 0xFFFFFFFF)}, {"huge image", withField(good, kImageAt + 5, 0xFFFFFFFF)}});

    // Every cut inside an image is refused (the trailer may be missing, and a cut
    // between frames ends the animation there); damaged bytes never crash.
    TestRandom random(33);
    const GifImage big{.width = 9, .height = 7, .indices = randomIndices(random, 63, 4, 3), .subBlock = 4};
    const Bytes animation = gifFile(9, 7, palette, {big, transparentOffset});
    const size_t firstFrameEnd = gifFile(9, 7, palette, {big}).size() - 1;
    const auto lastFrame = [](GFXimage *image, const uint8_t *data, uint32_t size) {
        GFXimage *frames = nullptr;
        uint32_t *delays = nullptr, count = 0;
        if (!gifLoadFramesMem(data, size, &frames, &delays, &count)) return false;
        *image = std::exchange(frames[count - 1], GFXimage{});
        gifFreeFrames(frames, delays, count);
        return true;
    };
    for (const MemoryDecoder decode : {MemoryDecoder(gifDecode), MemoryDecoder(lastFrame)})
        expectRefusesCutsAndSurvivesDamage(decode, animation, firstFrameEnd);
    // Past the second frame's control block (8 bytes) and comment (7), inside its image.
    for (size_t length = firstFrameEnd + 8 + 7 + 1; length + 1 < animation.size(); ++length)
        EXPECT_FALSE(decodeExact(lastFrame, animation, length).ok) << length;

    // A refused animation leaves the caller's three outputs as they were.
    GFXimage *frames = reinterpret_cast<GFXimage *>(uintptr_t(8));
    uint32_t *delays = nullptr, count = 77;
    EXPECT_FALSE(gifLoadFramesMem(animation.data(), uint32_t(animation.size() - 5), &frames, &delays, &count));
    EXPECT_FALSE(gifLoadFrames(outputPath("missing.gif").c_str(), &frames, &delays, &count));
    EXPECT_TRUE(frames == reinterpret_cast<GFXimage *>(uintptr_t(8)) && delays == nullptr && count == 77);
}

}  // namespace
}  // namespace zorblit::test
