// Damaged and hostile JPEG data: refused with the record untouched, never a crash
// (the sanitizer build reads from blocks of exactly the given size).
#include <gtest/gtest.h>

#include "jpeg_test_support.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

std::vector<uint8_t> smallFile(const JpegOptions &options) {
    return encodeJpeg(jpegTestPicture(24, 16, options.grey ? 1 : 3, 2), 24, 16, options);
}

size_t frameHeaderOffset(const std::vector<uint8_t> &file) {
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) return i;
    return 0;
}

void expectRefused(const std::vector<uint8_t> &file) {
    GFXimage image = sentinelImage();
    EXPECT_FALSE(decodeExact(jpegLoadMem, &image, file, file.size()));
    EXPECT_TRUE(isSentinel(image));
}

TEST(JpegRobustness, EveryCutBeforeTheEndOfTheScanIsRefused) {
    for (const JpegOptions &options : {JpegOptions{.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 1},
                                       JpegOptions{.grey = true}}) {
        const auto file = smallFile(options);
        const size_t scanEnd = jpegScanEnd(file);
        for (size_t length = 0; length < scanEnd; ++length) {
            GFXimage image = sentinelImage();
            ASSERT_FALSE(decodeExact(jpegLoadMem, &image, file, length)) << length << " of " << scanEnd;
            ASSERT_TRUE(isSentinel(image));
        }
    }
}

TEST(JpegRobustness, SurvivesEverySingleByteCorruption) {
    expectSurvivesByteCorruption(jpegLoadMem, smallFile({.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 2,
                                                         .quality = 50}));
    expectSurvivesByteCorruption(jpegLoadMem, smallFile({.grey = true, .quality = 50}));
}

TEST(JpegRobustness, HugeDeclaredSizeFailsOnMissingData) {
    auto file = smallFile({});
    const size_t frame = frameHeaderOffset(file);
    ASSERT_NE(frame, 0u);
    for (size_t i = 5; i < 9; ++i) file[frame + i] = 0xFF;  // 65535 x 65535
    expectRefused(file);
}

TEST(JpegRobustness, BrokenHeadersAreRefused) {
    const auto file = smallFile({.lumaSamplingX = 2});
    const size_t frame = frameHeaderOffset(file);
    const auto patched = [&](size_t offset, uint8_t value) {
        auto copy = file;
        copy[offset] = value;
        return copy;
    };
    // Frame header: marker, length, precision, height, width, count, components.
    expectRefused(patched(frame + 6, 0));     // height 0
    expectRefused(patched(frame + 8, 0));     // width 0
    expectRefused(patched(frame + 11, 0x31));  // sampling factor 3
    expectRefused(patched(frame + 11, 0x01));  // horizontal factor 0
    expectRefused(patched(frame + 12, 4));     // quantisation table 4
    expectRefused(patched(frame + 12, 3));     // quantisation table never defined
    expectRefused(patched(frame + 10, 7));     // the scan names another component
    expectRefused(patched(frame + 2, 0xFF));   // length beyond the data
}

}  // namespace
}  // namespace zorblit::test
