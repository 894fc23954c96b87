// Progressive and multi-scan JPEG files, and the colour models of three and four
// components, against libjpeg-turbo on files it wrote; cut and damaged
// progressive files.
#include <cstring>

#include "jpeg_test_support.h"
#include "loaders/refusal.h"

namespace zorblit::test {
namespace {

// Scan scripts of our own for grey (component 0 only) and three components:
// DC and AC bands at several precisions refined in steps; the first DC scan of
// three components is split into luma alone and the chroma pair.
std::vector<jpeg_scan_info> refinedScript(bool grey) {
    std::vector<jpeg_scan_info> scans = {
        {1, {0}, 0, 0, 0, 2}, {1, {0}, 1, 9, 0, 3}, {1, {0}, 10, 63, 0, 3},
        {grey ? 1 : 3, {0, 1, 2}, 0, 0, 2, 1}, {1, {0}, 1, 63, 3, 2}, {1, {0}, 1, 63, 2, 1},
        {grey ? 1 : 3, {0, 1, 2}, 0, 0, 1, 0}, {1, {0}, 1, 63, 1, 0}};
    if (!grey)
        scans.insert(scans.begin() + 1,
                     {{2, {1, 2}, 0, 0, 0, 2}, {1, {1}, 1, 63, 0, 1}, {1, {2}, 1, 63, 0, 0}, {1, {1}, 1, 63, 1, 0}});
    return scans;
}

// Sequential scans: luma alone, then the chroma pair interleaved.
const std::vector<jpeg_scan_info> kSequentialScans = {{1, {0}, 0, 63, 0, 0}, {2, {1, 2}, 0, 63, 0, 0}};

enum class Script { Simple, Refined, Sequential };

JpegOptions withScript(JpegOptions options, Script script) {
    if (script == Script::Simple) options.progressive = true;
    if (script == Script::Refined) options.scans = refinedScript(options.grey);
    if (script == Script::Sequential && !options.grey) options.scans = kSequentialScans;
    return options;
}

TEST(JpegProgressive, MatchesReferenceInEverySamplingSizeAndScript) {
    const JpegOptions samplings[] = {{}, {.lumaSamplingX = 2}, {.lumaSamplingX = 2, .lumaSamplingY = 2},
                                     {.lumaSamplingY = 2}, {.lumaSamplingX = 4}, {.grey = true},
                                     {.lumaSamplingX = 2, .lumaSamplingY = 2, .grey = true}};
    TestRandom random(19);
    for (const JpegOptions &sampling : samplings)
        for (const Script script : {Script::Simple, Script::Refined, Script::Sequential})
            for (const unsigned restarts : {0u, 2u}) {
                const uint32_t randomWidth = uint32_t(random.range(2, 90)), randomHeight = uint32_t(random.range(2, 90));
                for (const auto &[width, height] : {std::pair{1u, 1u}, {4u, 4u}, {17u, 9u}, {randomWidth, randomHeight}}) {
                    JpegOptions options = withScript(sampling, script);
                    options.restartInterval = restarts;
                    SCOPED_TRACE(testing::Message() << sampling.lumaSamplingX << "x" << sampling.lumaSamplingY << " grey "
                                                    << sampling.grey << " script " << int(script) << " restarts "
                                                    << restarts << " " << width << "x" << height);
                    expectNearReference(encodeJpeg(width, height, options, width * 7 + height));
                }
            }
}

TEST(JpegProgressive, MatchesReferenceOnRealPictures) {
    for (const std::string &path : samplePictures(".jpg")) {
        uint32_t width = 0;
        const Bytes rgb = referenceDecodeJpeg(readFile(path), JCS_RGB, &width);
        const uint32_t height = uint32_t(rgb.size() / 3 / width);
        for (const JpegOptions &options : {JpegOptions{.lumaSamplingX = 2, .lumaSamplingY = 2, .progressive = true},
                                           JpegOptions{.restartInterval = 7, .scans = refinedScript(false)}}) {
            SCOPED_TRACE(testing::Message() << path << " restarts " << options.restartInterval);
            expectNearReference(encodePicture(rgb, width, height, options));
        }
    }
}

// A copy without its Adobe segment.
Bytes withoutAdobeSegment(const Bytes &file) {
    const size_t at = markerAt(file, 0xEE);
    Bytes copy = file;
    if (at < file.size()) copy.erase(copy.begin() + ptrdiff_t(at), copy.begin() + ptrdiff_t(at + 2 + (file[at + 2] << 8 | file[at + 3])));
    return copy;
}

// RGB stored as such comes out unconverted, whether the Adobe marker or the
// component identifiers say so; CMYK and YCCK (as libjpeg-turbo gives them back,
// inverted inks) become R = C * K / 255 and so on.
TEST(JpegProgressive, ColourModels) {
    for (const Script script : {Script::Simple, Script::Sequential}) {
        const Bytes rgb = encodeJpeg(37, 21, withScript({.lumaSamplingX = 2, .stored = JCS_RGB}, script), 3);
        ASSERT_LT(markerAt(rgb, 0xEE), rgb.size());
        expectNearReference(rgb);
        const Bytes byIds = withoutAdobeSegment(rgb);
        ASSERT_EQ(markerAt(byIds, 0xEE), byIds.size());
        expectNearReference(byIds);

        for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
            SCOPED_TRACE(testing::Message() << "script " << int(script) << " colour space " << stored);
            JpegOptions options = withScript({.lumaSamplingX = 2, .lumaSamplingY = 2, .cmyk = true, .stored = stored}, script);
            if (script == Script::Sequential) options.scans.push_back({1, {3}, 0, 63, 0, 0});
            const Bytes file = encodeJpeg(29, 18, options, 5);
            const Bytes inks = referenceDecodeJpeg(file, JCS_CMYK);
            Pixels expected(inks.size() / 4);
            const auto scaled = [&](size_t i, int c) { return uint32_t(inks[4 * i + c] * inks[4 * i + 3] + 127) / 255; };
            for (size_t i = 0; i < expected.size(); ++i)
                expected[i] = 0xFF000000u | scaled(i, 0) << 16 | scaled(i, 1) << 8 | scaled(i, 2);
            expectNearPixels(decodeExact(jpegLoadMem, file).pixels, expected);
        }
    }
}

// Progressive files end only at the end-of-image marker; multi-scan sequential
// ones after their last scan.
TEST(JpegProgressive, RefusesCutsSurvivesDamageAndBrokenScanHeaders) {
    const Bytes simple = encodeJpeg(24, 16, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2, .quality = 50,
                                             .progressive = true}, 2);
    const Bytes refined = encodeJpeg(17, 9, {.grey = true, .quality = 60, .scans = refinedScript(true)}, 3);
    const Bytes sequential = encodeJpeg(16, 16, {.quality = 50, .scans = kSequentialScans}, 4);
    expectRefusesCutsAndSurvivesDamage(jpegLoadMem, simple, markerAt(simple, 0xD9));
    expectRefusesCutsAndSurvivesDamage(jpegLoadMem, refined, markerAt(refined, 0xD9));
    expectRefusesCutsAndSurvivesDamage(jpegLoadMem, sequential, markerAt(sequential, 0xD9));

    // The first scan header of the grey file: marker, length, count 1, component, tables, Ss, Se, Ah << 4 | Al.
    const size_t scan = markerAt(refined, 0xDA);
    const auto patched = [&](size_t offset, uint32_t value) { return withField(refined, scan + offset, value, 1); };
    ASSERT_EQ(refined[scan + 9], 0x02);
    expectCases(jpegLoadMem, {{"a DC band reaching AC positions", patched(8, 5)},
                              {"refining a bit not below the last", patched(9, 0x32)},
                              {"band end before its start", patched(7, 1)},
                              {"a successive approximation bit of 14", patched(9, 0x0E)}});
    EXPECT_FALSE(decodeExact(jpegLoadMem, Bytes(refined.begin(), refined.begin() + ptrdiff_t(markerAt(refined, 0xD9)))).ok);
    EXPECT_EQ(lastRefusal(), "JPEG data ends early at byte " + std::to_string(markerAt(refined, 0xD9)));

    // DC refinements of the lowest bit added (their six blocks take one bit each): up to 1000 scans decode.
    const uint8_t id = refined.at(markerAt(refined, 0xC2) + 10);
    const Bytes repeated = {0xFF, 0xDA, 0, 8, 1, id, 0, 0, 0, 0x10, 0x00};
    const auto withScans = [&](size_t scans) {
        Bytes file(refined.begin(), refined.begin() + ptrdiff_t(markerAt(refined, 0xD9)));
        for (size_t i = refinedScript(true).size(); i < scans; ++i) file.insert(file.end(), repeated.begin(), repeated.end());
        return file.insert(file.end(), {0xFF, 0xD9}), file;
    };
    EXPECT_TRUE(decodeExact(jpegLoadMem, withScans(1000)).ok);
    EXPECT_FALSE(decodeExact(jpegLoadMem, withScans(1001)).ok);
    EXPECT_EQ(lastRefusal(), std::string("progressive JPEG with more than 1000 scans is not supported"));
}

}  // namespace
}  // namespace zorblit::test
