// jpegLoadMem against libjpeg-turbo on files it wrote: baseline, progressive and
// multi-scan, every sampling, restarts, the colour models of three and four
// components, real pictures; our own choices; refusals, cut and damaged files;
// and the pieces where a whole picture would hide a fault: Huffman tables no
// encoder writes, the colour arithmetic.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "kernels/jpeg_color.h"
#include "loaders/jpeg_huffman.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// Chroma is always sampled 1 x 1; restarts every that many MCUs, 0: none. stored: the colour space written
// when not the input's (JCS_RGB, JCS_YCCK); scans: a scan script of our own.
struct JpegOptions {
    int lumaSamplingX = 1, lumaSamplingY = 1;
    bool grey = false, cmyk = false;
    unsigned restartInterval = 0;
    int quality = 90;
    bool progressive = false, arithmetic = false;
    J_COLOR_SPACE stored = JCS_UNKNOWN;
    std::vector<jpeg_scan_info> scans = {};
    int channels() const { return grey ? 1 : cmyk ? 4 : 3; }
};

// Gradients, hard edges and noise (seed 0: flat mid grey) in grey, RGB or CMYK,
// encoded by libjpeg-turbo.
Bytes encodeJpeg(uint32_t width, uint32_t height, const JpegOptions &options, uint64_t seed = 1) {
    const int channels = options.channels();
    TestRandom random(seed);
    Bytes picture(size_t(width) * height * channels, 128);
    for (size_t i = 0; seed && i < picture.size(); ++i) {
        const uint32_t x = uint32_t(i / channels % width), y = uint32_t(i / channels / width), c = uint32_t(i % channels);
        const int gradient = int((x * (40 + 30 * c) + y * (70 - 20 * c)) % 256), edge = (x / 7 + y / 5 + c) % 3 ? 0 : 90;
        picture[i] = uint8_t(std::clamp(gradient / 2 + edge + int(random.range(-12, 12)) + 20, 0, 255));
    }
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    cinfo.err = jpeg_std_error(&errors), jpeg_create_compress(&cinfo), jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width, cinfo.image_height = height, cinfo.input_components = channels;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, options.stored);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.restart_interval = options.restartInterval, cinfo.arith_code = options.arithmetic;
    cinfo.comp_info[0].h_samp_factor = options.lumaSamplingX, cinfo.comp_info[0].v_samp_factor = options.lumaSamplingY;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    if (!options.scans.empty()) cinfo.scan_info = options.scans.data(), cinfo.num_scans = int(options.scans.size());
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < height) {
        JSAMPROW row = picture.data() + size_t(cinfo.next_scanline) * width * channels;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo), jpeg_destroy_compress(&cinfo);
    const Bytes file(buffer, buffer + size);
    return std::free(buffer), file;
}

// libjpeg-turbo's decoding with the integer IDCT and chroma replicated, as ours
// does, into the colour space asked for: JCS_EXT_BGRA (0xAARRGGBB words on a
// little-endian machine) or JCS_CMYK.
Bytes referenceDecodeJpeg(const Bytes &file, J_COLOR_SPACE space = JCS_EXT_BGRA) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors), jpeg_create_decompress(&cinfo), jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.do_fancy_upsampling = FALSE, cinfo.out_color_space = space;
    jpeg_start_decompress(&cinfo);
    const size_t rowBytes = size_t(cinfo.output_width) * cinfo.output_components;
    Bytes samples(rowBytes * cinfo.output_height);
    for (JSAMPROW row; cinfo.output_scanline < cinfo.output_height; jpeg_read_scanlines(&cinfo, &row, 1))
        row = samples.data() + cinfo.output_scanline * rowBytes;
    jpeg_finish_decompress(&cinfo), jpeg_destroy_decompress(&cinfo);
    return samples;
}

// Against the reference the IDCTs and colour conversions differ in rounding only:
// seen at most 3 levels, 0.17 on average; alpha too, as both must be opaque.
void expectNearPixels(const Pixels &ours, const Bytes &reference) {
    ASSERT_EQ(ours.size() * 4, reference.size());
    int largest = 0, sum = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        const int delta = std::abs(int(ours[i / 4] >> i % 4 * 8 & 0xFF) - int(reference[i]));
        largest = std::max(largest, delta), sum += delta;
    }
    EXPECT_LE(largest, 4);
    EXPECT_LE(double(sum) / double(ours.size() * 3), 0.25);
}
void expectNearReference(const Bytes &file) { expectNearPixels(decodeExact(jpegLoadMem, file).pixels, referenceDecodeJpeg(file)); }

// Where a marker first occurs; the end-of-image marker is searched from the end,
// as table data may hold its bytes.
size_t markerAt(const Bytes &file, uint8_t marker) {
    const uint8_t m[2] = {0xFF, marker};
    return size_t((marker == 0xD9 ? std::find_end(file.begin(), file.end(), m, m + 2) : std::search(file.begin(), file.end(), m, m + 2)) -
                  file.begin());
}

// Scan scripts of our own for grey (component 0 only) and three components:
// DC and AC bands at several precisions refined in steps; the first DC scan of
// three components is split into luma alone and the chroma pair.
std::vector<jpeg_scan_info> refinedScript(bool grey) {
    std::vector<jpeg_scan_info> scans = {
        {1, {0}, 0, 0, 0, 2}, {1, {0}, 1, 9, 0, 3}, {1, {0}, 10, 63, 0, 3}, {grey ? 1 : 3, {0, 1, 2}, 0, 0, 2, 1},
        {1, {0}, 1, 63, 3, 2}, {1, {0}, 1, 63, 2, 1}, {grey ? 1 : 3, {0, 1, 2}, 0, 0, 1, 0}, {1, {0}, 1, 63, 1, 0}};
    if (!grey) scans.insert(scans.begin() + 1, {{2, {1, 2}, 0, 0, 0, 2}, {1, {1}, 1, 63, 0, 1}, {1, {2}, 1, 63, 0, 0}, {1, {1}, 1, 63, 1, 0}});
    return scans;
}
// Sequential scans: luma alone, then the chroma pair interleaved.
const std::vector<jpeg_scan_info> kSequentialScans = {{1, {0}, 0, 63, 0, 0}, {2, {1, 2}, 0, 63, 0, 0}};

TEST(Jpeg, MatchesReferenceInEveryLayoutScriptAndSizeAndOnRealPictures) {
    const JpegOptions layouts[] = {
        {}, {.lumaSamplingX = 2}, {.lumaSamplingX = 2, .lumaSamplingY = 2}, {.lumaSamplingY = 2}, {.lumaSamplingX = 4},
        {.grey = true}, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 3}, {.grey = true, .restartInterval = 1},
        {.quality = 100}, {.lumaSamplingX = 2, .lumaSamplingY = 2, .quality = 20},
        {.lumaSamplingX = 2, .lumaSamplingY = 2, .grey = true}};
    for (const JpegOptions &o : layouts)
        for (int script = 0; script < 4; ++script)  // baseline, the simple progression, refined, sequential in two scans
            for (const auto &[width, height] : {std::pair{1u, 1u}, {4u, 4u}, {17u, 9u}, {8u, 8u}, {33u, 47u}, {120u, 67u}}) {
                SCOPED_TRACE(testing::Message() << "layout " << &o - layouts << " script " << script << " " << width << "x" << height);
                JpegOptions options = o;
                options.progressive = script == 1;
                options.scans = script == 2 ? refinedScript(o.grey) : script == 3 && !o.grey ? kSequentialScans : o.scans;
                expectNearReference(encodeJpeg(width, height, options, width * 31 + height));
            }
    for (const std::string &path : samplePictures(".jpg")) {
        SCOPED_TRACE(path);
        expectNearReference(readFile(path));
    }
    EXPECT_EQ(decodeExact(jpegLoadMem, encodeJpeg(16, 16, {.lumaSamplingX = 2, .lumaSamplingY = 2}, 0)).pixels, Pixels(256, 0xFF808080)) << "mid grey is exact";
}

// RGB stored as such comes out unconverted, whether the Adobe marker or the
// component identifiers say so; CMYK and YCCK (as libjpeg-turbo gives them back,
// inverted inks) become R = C * K / 255 and so on. Each component in a scan of
// its own (the layouts above cover the other scripts).
TEST(Jpeg, ColourModels) {
    const Bytes rgb = encodeJpeg(37, 21, {.lumaSamplingX = 2, .stored = JCS_RGB, .scans = kSequentialScans}, 3);
    const size_t adobe = markerAt(rgb, 0xEE);
    ASSERT_LT(adobe, rgb.size());
    Bytes byIds = rgb;  // without the Adobe segment
    byIds.erase(byIds.begin() + ptrdiff_t(adobe), byIds.begin() + ptrdiff_t(adobe + 2 + (rgb[adobe + 2] << 8 | rgb[adobe + 3])));
    ASSERT_EQ(markerAt(byIds, 0xEE), byIds.size());
    for (const Bytes &file : {rgb, byIds}) expectNearReference(file);
    for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        SCOPED_TRACE(stored);
        JpegOptions options{.lumaSamplingX = 2, .lumaSamplingY = 2, .cmyk = true, .stored = stored, .scans = kSequentialScans};
        options.scans.push_back({1, {3}, 0, 63, 0, 0});
        const Bytes file = encodeJpeg(29, 18, options, 5), inks = referenceDecodeJpeg(file, JCS_CMYK);
        Bytes expected(inks.size());  // blue, green, red, alpha
        for (size_t i = 0; i < inks.size(); ++i)
            expected[i] = i % 4 == 3 ? 255 : uint8_t((inks[i - i % 4 + 2 - i % 4] * inks[i - i % 4 + 3] + 127) / 255);
        expectNearPixels(decodeExact(jpegLoadMem, file).pixels, expected);
    }
}

// Comment and application segments are skipped; what follows the scan is ignored,
// the end-of-image marker too; restart markers must count up.
TEST(Jpeg, OurChoicesRefusalsOfWhatIsNotSupportedBrokenHeadersAndCutFiles) {
    const Bytes file = encodeJpeg(24, 16, {.lumaSamplingX = 2}, 4), pixels = referenceDecodeJpeg(file);
    Bytes trailer = file, restarts = encodeJpeg(64, 40, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2}, 9);
    trailer.insert(trailer.end(), {0x12, 0xFF, 0xC4, 0x00});
    trailer.insert(trailer.begin() + 2, {0xFF, 0xFE, 0, 3, 'a', 0xFF, 0xE1, 0, 8, 'E', 'x', 'i', 'f', 0, 0});  // a comment, APP1
    ASSERT_GT(markerAt(restarts, 0xD1), markerAt(restarts, 0xDA));
    restarts.at(markerAt(restarts, 0xD1) + 1) = 0xD2;  // the second restart marker, RST1, turned into RST2
    expectNearPixels(decodeExact(jpegLoadMem, trailer).pixels, pixels);
    expectNearPixels(decodeExact(jpegLoadMem, file, markerAt(file, 0xD9)).pixels, pixels);
    const size_t frame = markerAt(file, 0xC0);
    // Frame header: marker, length, precision, height, width, count, then id, sampling, table per component.
    const auto patched = [&](size_t offset, uint32_t value, size_t size = 1) { return withField(file, frame + offset, value, size); };
    expectCases(jpegLoadMem, {
        {"arithmetic", encodeJpeg(24, 16, {.arithmetic = true}), {}, "arithmetic-coded JPEG is not supported"},
        {"12-bit", patched(4, 12), {}, "12-bit JPEG is not supported"}, {"lossless", patched(1, 0xC3), {}, "lossless JPEG is not supported"},
        {"precision 9", patched(4, 9)}, {"height 0", patched(6, 0)}, {"width 0", patched(8, 0)},
        {"65535 x 65535 with no data for it", patched(5, 0xFFFFFFFF, 4)},
        {"sampling factor 3", patched(11, 0x31), {}, "JPEG sampling factor 3 is not supported"},
        {"horizontal factor 0", patched(11, 0x01)}, {"quantisation table 4", patched(12, 4)},
        {"quantisation table never defined", patched(12, 3)}, {"the scan names another component", patched(10, 7)},
        {"end before start", {0xFF, 0xD9, 0xFF, 0xD8}}, {"restarts out of order", restarts}, {"a PNG", {0x89, 'P', 'N', 'G'}, {}, "not a JPEG file"},
        {"cut", Bytes(file.begin(), file.end() - 300), {}, "JPEG data ends early at byte " + std::to_string(file.size() - 300)}});
    // Cuts are refused up to the end of the scan (the empty file and a lone 0xFF among them), after it
    // only the end marker is missing; progressive files end only at that marker, multi-scan sequential
    // ones after their last scan. (The baseline paths share the sequential file's and the refined
    // scans' below.)
    for (const JpegOptions &options : {JpegOptions{.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2, .quality = 50,
                                                   .progressive = true},
                                       JpegOptions{.quality = 50, .scans = kSequentialScans}}) {
        const Bytes whole = encodeJpeg(24, 16, options, 2);
        expectRefusesCutsAndSurvivesDamage(jpegLoadMem, whole, markerAt(whole, 0xD9));
    }
}

TEST(Jpeg, RefinedScansCutsDamageBrokenScanHeadersAndTheScanLimit) {
    const Bytes refined = encodeJpeg(17, 9, {.grey = true, .quality = 60, .scans = refinedScript(true)}, 3);
    const size_t end = markerAt(refined, 0xD9), scan = markerAt(refined, 0xDA);
    expectRefusesCutsAndSurvivesDamage(jpegLoadMem, refined, end);
    // The first scan header: marker, length, count 1, component, tables, Ss, Se, Ah << 4 | Al.
    const auto patched = [&](size_t offset, uint32_t value) { return withField(refined, scan + offset, value, 1); };
    ASSERT_EQ(refined[scan + 9], 0x02);
    // DC refinements of the lowest bit added (their six blocks take one bit each): up to 1000 scans decode.
    const uint8_t id = refined.at(markerAt(refined, 0xC2) + 10);
    const auto withScans = [&](size_t scans) {
        Bytes file(refined.begin(), refined.begin() + ptrdiff_t(end));
        for (size_t i = refinedScript(true).size(); i < scans; ++i) file.insert(file.end(), {0xFF, 0xDA, 0, 8, 1, id, 0, 0, 0, 0x10, 0x00});
        return file.insert(file.end(), {0xFF, 0xD9}), file;
    };
    expectCases(jpegLoadMem, {{"a DC band reaching AC positions", patched(8, 5)}, {"refining a bit not below the last", patched(9, 0x32)},
                              {"band end before its start", patched(7, 1)}, {"a successive approximation bit of 14", patched(9, 0x0E)},
                              {"no end marker", Bytes(refined.begin(), refined.begin() + ptrdiff_t(end)), {}, "JPEG data ends early at byte " + std::to_string(end)},
                              {"1001 scans", withScans(1001), {}, "progressive JPEG with more than 1000 scans is not supported"}});
    EXPECT_TRUE(decodeExact(jpegLoadMem, withScans(1000)).ok);
}

TEST(JpegHuffman, RefusesImpossibleCounts) {
    jpeg::JpegHuffmanTable table;
    const uint8_t symbols[4096] = {}, threeOfOneBit[16] = {3}, complete[16] = {2}, tooMany[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 255};
    EXPECT_TRUE(!table.build(threeOfOneBit, symbols) && !table.build(tooMany, symbols) && table.build(complete, symbols));  // 257 symbols too many
}

// The split multipliers give the fixed-point formulas exactly; the comparison
// with the reference above allows a few levels, so only this sees a rounding slip.
TEST(JpegColor, MatchesTheFormulas) {
    const auto channel = [](int32_t value) { return uint32_t(std::clamp(value >> 8, 0, 255)); };
    for (const int y : {0, 1, 77, 128, 200, 254, 255})
        for (int blue = -128; blue < 128; ++blue)
            for (int red = -128; red < 128; ++red)
                ASSERT_EQ(jpeg::ycbcrToPixel(uint8_t(y), uint8_t(blue + 128), uint8_t(red + 128)),
                          0xFF000000u | channel(y * 256 + 359 * red + 128) << 16 | channel(y * 256 - 88 * blue - 183 * red + 128) << 8 |
                              channel(y * 256 + 454 * blue + 128)) << y << " " << blue << " " << red;
}

}  // namespace
}  // namespace zorblit::test
