// jpegLoadMem against libjpeg-turbo on files it wrote; our own choices (restart
// markers, what follows the scan, what is refused); cut and damaged files; and the
// pieces where a whole picture would hide a fault: the fast IDCT on hostile blocks,
// Huffman tables no encoder writes, the colour arithmetic.
#include <algorithm>
#include <cstring>

#include "jpeg_test_support.h"
#include "loaders/jpeg_color.h"
#include "loaders/jpeg_huffman.h"
#include "loaders/jpeg_idct.h"
#include "loaders/refusal.h"

namespace zorblit::test {
namespace {

TEST(Jpeg, MatchesReferenceInEveryLayoutAndSizeAndOnRealPictures) {
    const JpegOptions layouts[] = {
        {}, {.lumaSamplingX = 2}, {.lumaSamplingX = 2, .lumaSamplingY = 2}, {.lumaSamplingY = 2}, {.lumaSamplingX = 4},
        {.grey = true}, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 3}, {.grey = true, .restartInterval = 1},
        {.quality = 100}, {.lumaSamplingX = 2, .lumaSamplingY = 2, .quality = 20}, {.commentAndApp1 = true},
        {.lumaSamplingX = 2, .lumaSamplingY = 2, .grey = true}};
    for (const JpegOptions &o : layouts)
        for (const auto &[width, height] : {std::pair{1u, 1u}, {4u, 4u}, {17u, 9u}, {8u, 8u}, {33u, 47u}, {120u, 67u}}) {
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

TEST(Jpeg, RefusesWhatIsNotSupportedBrokenHeadersAndCutFilesWithAReason) {
    const Bytes file = encodeJpeg(24, 16, {.lumaSamplingX = 2}, 4);
    const size_t frame = markerAt(file, 0xC0);
    // Frame header: marker, length, precision, height, width, count, then id, sampling, table per component.
    const auto patched = [&](size_t offset, uint32_t value, size_t size = 1) { return withField(file, frame + offset, value, size); };
    expectCases(jpegLoadMem, {
        {"arithmetic", encodeJpeg(24, 16, {.arithmetic = true})}, {"12-bit", patched(4, 12)}, {"lossless", patched(1, 0xC3)},
        {"precision 9", patched(4, 9)}, {"height 0", patched(6, 0)}, {"width 0", patched(8, 0)},
        {"65535 x 65535 with no data for it", patched(5, 0xFFFFFFFF, 4)},
        {"sampling factor 3", patched(11, 0x31)}, {"horizontal factor 0", patched(11, 0x01)},
        {"quantisation table 4", patched(12, 4)}, {"quantisation table never defined", patched(12, 3)},
        {"the scan names another component", patched(10, 7)},
        {"end before start", {0xFF, 0xD9, 0xFF, 0xD8}}});
    const std::pair<Bytes, std::string> reasons[] = {
        {encodeJpeg(8, 8, {.arithmetic = true}), "arithmetic-coded JPEG is not supported"},
        {patched(4, 12), "12-bit JPEG is not supported"}, {patched(1, 0xC3), "lossless JPEG is not supported"},
        {patched(11, 0x31), "JPEG sampling factor 3 is not supported"}, {{0x89, 'P', 'N', 'G'}, "not a JPEG file"},
        {Bytes(file.begin(), file.end() - 300), "JPEG data ends early at byte " + std::to_string(file.size() - 300)}};
    for (const auto &[bytes, reason] : reasons) {
        EXPECT_FALSE(decodeExact(jpegLoadMem, bytes).ok);
        EXPECT_EQ(lastRefusal(), reason);
    }
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
