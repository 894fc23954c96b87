// jpegLoadMem against libjpeg-turbo on files it wrote; our own choices (restart
// markers, what follows the scan, what is refused); cut and damaged files; and the
// pieces where a whole picture would hide a fault: the fast IDCT on hostile blocks,
// Huffman tables no encoder writes, the colour arithmetic.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "loaders/jpeg_color.h"
#include "loaders/jpeg_huffman.h"
#include "loaders/jpeg_idct.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// Chroma is always sampled 1 x 1; restarts every that many MCUs, 0: none; a comment
// and an APP1 segment before the frame when asked.
struct JpegOptions {
    int lumaSamplingX = 1, lumaSamplingY = 1;
    bool grey = false, cmyk = false;
    unsigned restartInterval = 0;
    int quality = 90;
    bool progressive = false, arithmetic = false, commentAndApp1 = false;
};

// Gradients, hard edges and noise (seed 0: flat mid grey) encoded by libjpeg-turbo.
Bytes encodeJpeg(uint32_t width, uint32_t height, const JpegOptions &options, uint64_t seed = 1) {
    const int channels = options.grey ? 1 : options.cmyk ? 4 : 3;
    TestRandom random(seed);
    Bytes picture(size_t(width) * height * channels, 128);
    for (size_t i = 0; seed && i < picture.size(); ++i) {
        const uint32_t x = uint32_t(i / channels % width), y = uint32_t(i / channels / width), c = uint32_t(i % channels);
        const int gradient = int((x * (40 + 30 * c) + y * (70 - 20 * c)) % 256), edge = (x / 7 + y / 5 + c) % 3 ? 0 : 90;
        picture[i] = uint8_t(std::clamp(gradient / 2 + edge + int(random.range(-12, 12)) + 20, 0, 255));
    }
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width, cinfo.image_height = height, cinfo.input_components = channels;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.restart_interval = options.restartInterval, cinfo.arith_code = options.arithmetic;
    cinfo.comp_info[0].h_samp_factor = options.lumaSamplingX, cinfo.comp_info[0].v_samp_factor = options.lumaSamplingY;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (options.commentAndApp1) {
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET *>("a comment"), 9);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>("Exif\0\0"), 6);
    }
    while (cinfo.next_scanline < height) {
        JSAMPROW row = picture.data() + size_t(cinfo.next_scanline) * width * channels;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const Bytes file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

// libjpeg-turbo's decoding with the integer IDCT and chroma replicated, as ours does.
Pixels referenceDecodeJpeg(const Bytes &file) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    // Blue, green, red, 0xFF: 0xAARRGGBB words on a little-endian machine.
    cinfo.dct_method = JDCT_ISLOW, cinfo.do_fancy_upsampling = FALSE, cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    Pixels pixels(size_t(cinfo.output_width) * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(&pixels[size_t(cinfo.output_scanline) * cinfo.output_width]);
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

// Where a marker first occurs; the end-of-image marker is searched from the end, as table data may hold its bytes.
size_t markerAt(const Bytes &file, uint8_t marker) {
    const uint8_t m[2] = {0xFF, marker};
    return size_t((marker == 0xD9 ? std::find_end(file.begin(), file.end(), m, m + 2) : std::search(file.begin(), file.end(), m, m + 2)) -
                  file.begin());
}

// Against the reference the IDCTs and colour conversions differ in rounding only: seen at most 3 levels,
// 0.17 on average; alpha too, as both must be opaque.
void expectNearReference(const Bytes &file) {
    const Pixels ours = decodeExact(jpegLoadMem, file).pixels, reference = referenceDecodeJpeg(file);
    ASSERT_EQ(ours.size(), reference.size());
    int largest = 0, sum = 0;
    for (size_t i = 0; i < reference.size() * 4; ++i) {
        const int delta = std::abs(int(ours[i / 4] >> i % 4 * 8 & 0xFF) - int(reference[i / 4] >> i % 4 * 8 & 0xFF));
        largest = std::max(largest, delta), sum += delta;
    }
    EXPECT_LE(largest, 4);
    EXPECT_LE(double(sum) / double(reference.size() * 3), 0.25);
}

TEST(Jpeg, MatchesReferenceInEveryLayoutAndSizeAndOnRealPictures) {
    const JpegOptions layouts[] = {
        {}, {.lumaSamplingX = 2}, {.lumaSamplingX = 2, .lumaSamplingY = 2}, {.lumaSamplingY = 2}, {.lumaSamplingX = 4},
        {.grey = true}, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 3}, {.grey = true, .restartInterval = 1},
        {.quality = 100}, {.lumaSamplingX = 2, .lumaSamplingY = 2, .quality = 20}, {.commentAndApp1 = true}};
    for (const JpegOptions &o : layouts)
        for (const auto &[width, height] : {std::pair{1u, 1u}, {17u, 9u}, {8u, 8u}, {33u, 47u}, {120u, 67u}}) {
            // Chroma planes under 3 samples across or down are refused (see below).
            const auto small = [](uint32_t size, int factor) { return factor > 1 && (size + factor - 1) / factor < 3; };
            if (!o.grey && (small(width, o.lumaSamplingX) || small(height, o.lumaSamplingY))) continue;
            SCOPED_TRACE(testing::Message() << o.lumaSamplingX << "x" << o.lumaSamplingY << " grey " << o.grey << " restarts "
                                            << o.restartInterval << " quality " << o.quality << " " << width << "x" << height);
            expectNearReference(encodeJpeg(width, height, o, width * 31 + height));
        }
    for (const std::string &path : samplePictures(".jpg")) {
        SCOPED_TRACE(path);
        expectNearReference(readFile(path));
    }
    const Bytes grey = encodeJpeg(16, 16, {.lumaSamplingX = 2, .lumaSamplingY = 2}, 0);
    EXPECT_EQ(decodeExact(jpegLoadMem, grey).pixels, Pixels(256, 0xFF808080)) << "mid grey is exact";
    expectFileLoadsAsInMemory(jpegLoad, jpegLoadMem, grey, "grey.jpg");
}

// Restart markers change nothing but must count up; what follows the scan is ignored.
TEST(Jpeg, RestartMarkersAndWhatFollowsTheScan) {
    const Bytes plain = encodeJpeg(64, 40, {.lumaSamplingX = 2, .lumaSamplingY = 2}, 9);
    Bytes restarts = encodeJpeg(64, 40, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2}, 9), trailer = plain;
    const Pixels pixels = decodeExact(jpegLoadMem, plain).pixels;
    EXPECT_EQ(decodeExact(jpegLoadMem, restarts).pixels, pixels);
    EXPECT_EQ(decodeExact(jpegLoadMem, plain, markerAt(plain, 0xD9)).pixels, pixels) << "no end-of-image marker";
    trailer.insert(trailer.end(), {0x12, 0xFF, 0xC4, 0x00});
    EXPECT_EQ(decodeExact(jpegLoadMem, trailer).pixels, pixels) << "bytes after it";
    ASSERT_GT(markerAt(restarts, 0xD1), markerAt(restarts, 0xDA));
    restarts.at(markerAt(restarts, 0xD1) + 1) = 0xD2;  // the second restart marker, RST1, turned into RST2
    EXPECT_FALSE(decodeExact(jpegLoadMem, restarts).ok);
}

TEST(Jpeg, RefusesWhatIsNotBaselineBrokenHeadersAndCutFiles) {
    const Bytes file = encodeJpeg(24, 16, {.lumaSamplingX = 2}, 4);
    const size_t frame = markerAt(file, 0xC0);
    // Frame header: marker, length, precision, height, width, count, then id, sampling, table per component.
    const auto patched = [&](size_t offset, uint32_t value, size_t size = 1) { return withField(file, frame + offset, value, size); };
    expectCases(jpegLoadMem, {
        {"progressive", encodeJpeg(24, 16, {.progressive = true})}, {"arithmetic", encodeJpeg(24, 16, {.arithmetic = true})},
        {"CMYK", encodeJpeg(24, 16, {.cmyk = true})}, {"12-bit", patched(4, 12)},
        {"height 0", patched(6, 0)}, {"width 0", patched(8, 0)},
        {"65535 x 65535 with no data for it", patched(5, 0xFFFFFFFF, 4)},
        {"sampling factor 3", patched(11, 0x31)}, {"horizontal factor 0", patched(11, 0x01)},
        {"quantisation table 4", patched(12, 4)}, {"quantisation table never defined", patched(12, 3)},
        {"the scan names another component", patched(10, 7)},
        {"chroma under 3 samples", encodeJpeg(4, 9, {.lumaSamplingX = 2, .lumaSamplingY = 2})},
        {"end before start", {0xFF, 0xD9, 0xFF, 0xD8}}});
    GFXimage image = sentinelImage();
    EXPECT_FALSE(jpegLoadMem(&image, nullptr, 100) || !isSentinel(image)) << "no bytes";
    // Cuts are refused up to the end of the scan (the empty file and a lone 0xFF among them);
    // after it only the end marker is missing.
    for (const JpegOptions &options : {JpegOptions{.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2, .quality = 50},
                                       JpegOptions{.grey = true, .quality = 50}}) {
        const Bytes whole = encodeJpeg(24, 16, options, 2);
        expectRefusesCutsAndSurvivesDamage(jpegLoadMem, whole, markerAt(whole, 0xD9));
    }
}

TEST(JpegHuffman, RefusesImpossibleCounts) {
    jpeg::JpegHuffmanTable table;
    const uint8_t symbols[4096] = {}, threeOfOneBit[16] = {3}, complete[16] = {2},
                  tooMany[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 255};  // 257 symbols
    EXPECT_FALSE(table.build(threeOfOneBit, symbols));
    EXPECT_FALSE(table.build(tooMany, symbols));
    EXPECT_TRUE(table.build(complete, symbols));
}

// The split multipliers give the fixed-point formulas exactly.
TEST(JpegColor, MatchesTheFormulas) {
    const auto channel = [](int32_t value) { return uint32_t(std::clamp(value >> 8, 0, 255)); };
    for (const int y : {0, 1, 77, 128, 200, 254, 255})
        for (int blue = -128; blue < 128; ++blue)
            for (int red = -128; red < 128; ++red)
                ASSERT_EQ(jpeg::ycbcrToPixel(uint8_t(y), uint8_t(blue + 128), uint8_t(red + 128)),
                          0xFF000000u | channel(y * 256 + 359 * red + 128) << 16 |
                              channel(y * 256 - 88 * blue - 183 * red + 128) << 8 | channel(y * 256 + 454 * blue + 128))
                    << y << " " << blue << " " << red;
}

}  // namespace
}  // namespace zorblit::test
