// jpegLoadMem against libjpeg-turbo on files it wrote; our own choices (restart
// markers, what follows the scan, what is refused); cut and damaged files.
#include <cstdlib>

#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// Against the reference the IDCTs and colour conversions differ in rounding only:
// seen at most 3 levels, 0.17 on average.
void expectCloseToReference(const Bytes &file) {
    const Decoded ours = decodeExact(jpegLoadMem, file);
    const Pixels reference = referenceDecodeJpeg(file);
    ASSERT_EQ(ours.pixels.size(), reference.size());
    int largest = 0;
    uint64_t sum = 0;
    for (size_t i = 0; i < reference.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {  // alpha too: both must be opaque
            const int delta = std::abs(int(ours.pixels[i] >> shift & 0xFF) - int(reference[i] >> shift & 0xFF));
            largest = std::max(largest, delta);
            sum += uint64_t(delta);
        }
    EXPECT_LE(largest, 4);
    EXPECT_LE(double(sum) / double(reference.size() * 3), 0.25);
}

size_t markerAt(const Bytes &file, uint8_t marker) {
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == marker) return i;
    return 0;
}

// Where the end-of-image marker is, searched from the end: table data may hold its bytes.
size_t scanEnd(const Bytes &file) {
    size_t i = file.size() - 2;
    while (i > 0 && !(file[i] == 0xFF && file[i + 1] == 0xD9)) --i;
    return i;
}

TEST(Jpeg, MatchesReferenceInEveryLayoutAndSize) {
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
            expectCloseToReference(encodeJpeg(width, height, o, width * 31 + height));
        }
    const Bytes grey = encodeJpeg(16, 16, {.lumaSamplingX = 2, .lumaSamplingY = 2}, 0);
    EXPECT_EQ(decodeExact(jpegLoadMem, grey).pixels, Pixels(256, 0xFF808080)) << "mid grey is exact";
    expectFileLoadsAsInMemory(jpegLoad, jpegLoadMem, grey, "grey.jpg");
}

TEST(Jpeg, RestartMarkersChangeNothingButMustCountUp) {
    const Bytes plain = encodeJpeg(64, 40, {.lumaSamplingX = 2, .lumaSamplingY = 2}, 9);
    Bytes restarts = encodeJpeg(64, 40, {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2}, 9);
    EXPECT_EQ(decodeExact(jpegLoadMem, restarts).pixels, decodeExact(jpegLoadMem, plain).pixels);
    ASSERT_GT(markerAt(restarts, 0xD1), markerAt(restarts, 0xDA));
    restarts.at(markerAt(restarts, 0xD1) + 1) = 0xD2;  // the second restart marker, RST1, turned into RST2
    EXPECT_FALSE(decodeExact(jpegLoadMem, restarts).ok);
}

TEST(Jpeg, WhatFollowsTheScanIsIgnored) {
    const Bytes file = encodeJpeg(30, 20, {}, 3);
    Bytes trailer = file;
    trailer.insert(trailer.end(), {0x12, 0xFF, 0xC4, 0x00});
    const Pixels pixels = decodeExact(jpegLoadMem, file).pixels;
    EXPECT_EQ(decodeExact(jpegLoadMem, file, scanEnd(file)).pixels, pixels) << "no end-of-image marker";
    EXPECT_EQ(decodeExact(jpegLoadMem, trailer).pixels, pixels) << "bytes after it";
}

TEST(Jpeg, RefusesWhatIsNotBaselineAndBrokenHeaders) {
    const Bytes file = encodeJpeg(24, 16, {.lumaSamplingX = 2}, 4);
    const size_t frame = markerAt(file, 0xC0);
    // Frame header: marker, length, precision, height, width, count, then id, sampling, table per component.
    const auto patched = [&](std::initializer_list<std::pair<size_t, uint8_t>> changes) {
        Bytes copy = file;
        for (const auto &[offset, value] : changes) copy.at(frame + offset) = value;
        return copy;
    };
    const std::pair<const char *, Bytes> refused[] = {
        {"progressive", encodeJpeg(24, 16, {.progressive = true})},
        {"arithmetic", encodeJpeg(24, 16, {.arithmetic = true})},
        {"CMYK", encodeJpeg(24, 16, {.cmyk = true})},
        {"12-bit", patched({{4, 12}})},
        {"height 0", patched({{6, 0}})},
        {"width 0", patched({{8, 0}})},
        {"65535 x 65535 with no data for it", patched({{5, 0xFF}, {6, 0xFF}, {7, 0xFF}, {8, 0xFF}})},
        {"sampling factor 3", patched({{11, 0x31}})},
        {"horizontal factor 0", patched({{11, 0x01}})},
        {"quantisation table 4", patched({{12, 4}})},
        {"quantisation table never defined", patched({{12, 3}})},
        {"the scan names another component", patched({{10, 7}})},
        {"length beyond the data", patched({{2, 0xFF}})},
        {"chroma under 3 samples", encodeJpeg(4, 9, {.lumaSamplingX = 2, .lumaSamplingY = 2})},
        {"end before start", {0xFF, 0xD9, 0xFF, 0xD8}},
        {"one byte", {0xFF}},
        {"empty", {}},
    };
    for (const auto &[what, bytes] : refused) EXPECT_FALSE(decodeExact(jpegLoadMem, bytes).ok) << what;
    GFXimage image = sentinelImage();
    EXPECT_FALSE(jpegLoadMem(&image, nullptr, 100));
    EXPECT_TRUE(isSentinel(image));
}

TEST(Jpeg, CutOrDamagedFilesAreRefusedSafely) {
    // Cuts are refused up to the end of the scan; after it only the end marker is missing.
    for (const JpegOptions &options : {JpegOptions{.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2, .quality = 50},
                                       JpegOptions{.grey = true, .quality = 50}}) {
        const Bytes file = encodeJpeg(24, 16, options, 2);
        expectRefusesCutsAndSurvivesDamage(jpegLoadMem, file, scanEnd(file));
    }
}

}  // namespace
}  // namespace zorblit::test
