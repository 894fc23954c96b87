// jpegLoadMem and jpegLoad against libjpeg-turbo on files it wrote, and the
// behaviours of our own: refused formats, restart markers, what follows the scan.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "jpeg_test_support.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

struct Difference {
    int largest = 0;
    double mean = 0;
};

Difference compareChannels(const GFXimage &image, const std::vector<uint32_t> &reference) {
    Difference d;
    uint64_t sum = 0;
    for (size_t i = 0; i < reference.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {  // alpha too: both must be opaque
            const int delta = std::abs(int(image.data[i] >> shift & 0xFF) - int(reference[i] >> shift & 0xFF));
            d.largest = std::max(d.largest, delta);
            sum += delta;
        }
    d.mean = double(sum) / (reference.size() * 3);
    return d;
}

struct Layout {
    const char *name;
    JpegOptions options;
};

// Against libjpeg-turbo's integer IDCT with chroma upsampled by replication (no
// "fancy" upsampling): the IDCTs and the 8-bit colour conversions differ in
// rounding only. Seen: at most 3 levels, 0.17 on average.
constexpr int kLargestDifference = 4;
constexpr double kMeanDifference = 0.25;

TEST(Jpeg, MatchesReferenceDecoderInEveryLayoutAndSize) {
    const Layout layouts[] = {
        {"4:4:4", {}},
        {"4:2:2", {.lumaSamplingX = 2}},
        {"4:2:0", {.lumaSamplingX = 2, .lumaSamplingY = 2}},
        {"4:4:0", {.lumaSamplingY = 2}},
        {"4:1:1", {.lumaSamplingX = 4}},
        {"grey", {.grey = true}},
        {"4:2:0 restarts", {.lumaSamplingX = 2, .lumaSamplingY = 2, .restartInterval = 3}},
        {"grey restarts", {.grey = true, .restartInterval = 1}},
        {"4:4:4 quality 100", {.quality = 100}},
        {"4:2:0 quality 20", {.lumaSamplingX = 2, .lumaSamplingY = 2, .quality = 20}},
    };
    const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1}, {17, 9}, {8, 8}, {33, 47}, {120, 67}};
    for (const Layout &layout : layouts)
        for (const auto &[width, height] : sizes) {
            const JpegOptions &options = layout.options;
            const auto chromaTooSmall = [](uint32_t size, int factor) { return factor > 1 && (size + factor - 1) / factor < 3; };
            const bool tooSmallForChroma = !options.grey && (chromaTooSmall(width, options.lumaSamplingX) ||
                                                             chromaTooSmall(height, options.lumaSamplingY));
            if (tooSmallForChroma) continue;  // refused, see SmallSubsampledPicturesAreRefused
            SCOPED_TRACE(std::string(layout.name) + " " + std::to_string(width) + "x" + std::to_string(height));
            const auto file = encodeJpeg(jpegTestPicture(width, height, options.grey ? 1 : 3, width * 31 + height),
                                         width, height, options);
            GFXimage image{};
            ASSERT_TRUE(jpegLoadMem(&image, file.data(), uint32_t(file.size())));
            ASSERT_EQ(image.width, width);
            ASSERT_EQ(image.height, height);
            const Difference d = compareChannels(image, referenceDecodeJpeg(file));
            EXPECT_LE(d.largest, kLargestDifference);
            EXPECT_LE(d.mean, kMeanDifference);
            FreeImage(&image);
        }
}

TEST(Jpeg, MidGreyIsExact) {
    const std::vector<uint8_t> grey(16 * 16 * 3, 128);
    const auto file = encodeJpeg(grey, 16, 16, {.lumaSamplingX = 2, .lumaSamplingY = 2});
    GFXimage image{};
    ASSERT_TRUE(jpegLoadMem(&image, file.data(), uint32_t(file.size())));
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(image.data[i], 0xFF808080u);
    FreeImage(&image);
}

TEST(Jpeg, RestartMarkersChangeNothingAndMustCountUp) {
    const auto picture = jpegTestPicture(64, 40, 3, 9);
    const JpegOptions plain{.lumaSamplingX = 2, .lumaSamplingY = 2};
    JpegOptions withRestarts = plain;
    withRestarts.restartInterval = 2;
    const auto a = encodeJpeg(picture, 64, 40, plain), b = encodeJpeg(picture, 64, 40, withRestarts);
    GFXimage first{}, second{};
    ASSERT_TRUE(jpegLoadMem(&first, a.data(), uint32_t(a.size())));
    ASSERT_TRUE(jpegLoadMem(&second, b.data(), uint32_t(b.size())));
    EXPECT_EQ(compareImages(second, first, "jpeg_restarts"), "");
    FreeImage(&first);
    FreeImage(&second);

    // The second restart marker (RST1) turned into RST2.
    auto outOfOrder = b;
    size_t found = 0;
    for (size_t i = jpegScanEnd(b); i-- > 0;)
        if (b[i] == 0xFF && b[i + 1] == 0xD1) found = i + 1;
    ASSERT_NE(found, 0u);
    outOfOrder[found] = 0xD2;
    GFXimage image = sentinelImage();
    EXPECT_FALSE(jpegLoadMem(&image, outOfOrder.data(), uint32_t(outOfOrder.size())));
    EXPECT_TRUE(isSentinel(image));
}

TEST(Jpeg, ExtraSegmentsAndWhatFollowsTheScan) {
    const auto picture = jpegTestPicture(30, 20, 3, 3);
    const auto file = encodeJpeg(picture, 30, 20, {.commentAndApp1 = true});
    const auto reference = referenceDecodeJpeg(file);
    const size_t scanEnd = jpegScanEnd(file);
    auto withTrailer = file;
    withTrailer.insert(withTrailer.end(), {0x12, 0xFF, 0xC4, 0x00});
    for (const auto &variant : {file, std::vector<uint8_t>(file.begin(), file.begin() + long(scanEnd)), withTrailer}) {
        GFXimage image{};
        ASSERT_TRUE(decodeExact(jpegLoadMem, &image, variant, variant.size())) << variant.size();
        EXPECT_LE(compareChannels(image, reference).largest, kLargestDifference);
        FreeImage(&image);
    }
}

TEST(Jpeg, RefusesWhatIsNotBaseline) {
    const auto picture = jpegTestPicture(24, 16, 3, 4);
    const auto cmykPicture = jpegTestPicture(24, 16, 4, 4);
    auto twelveBit = encodeJpeg(picture, 24, 16, {});
    for (size_t i = 0; i + 4 < twelveBit.size(); ++i)
        if (twelveBit[i] == 0xFF && twelveBit[i + 1] == 0xC0) {
            twelveBit[i + 4] = 12;  // sample precision
            break;
        }
    const std::vector<std::vector<uint8_t>> refused = {
        encodeJpeg(picture, 24, 16, {.progressive = true}),
        encodeJpeg(picture, 24, 16, {.arithmetic = true}),
        encodeJpeg(cmykPicture, 24, 16, {.cmyk = true}),
        twelveBit,
        {0xFF, 0xD9, 0xFF, 0xD8},
        {0xFF},
        {},
    };
    for (const auto &file : refused) {
        GFXimage image = sentinelImage();
        EXPECT_FALSE(decodeExact(jpegLoadMem, &image, file, file.size())) << file.size();
        EXPECT_TRUE(isSentinel(image));
    }
    GFXimage image = sentinelImage();
    EXPECT_FALSE(jpegLoadMem(&image, nullptr, 100));
    EXPECT_TRUE(isSentinel(image));
}

TEST(Jpeg, SmallSubsampledPicturesAreRefused) {
    // Chroma planes narrower than 3 samples are outside what the decoder takes.
    const auto file = encodeJpeg(jpegTestPicture(4, 9, 3, 1), 4, 9, {.lumaSamplingX = 2, .lumaSamplingY = 2});
    GFXimage image = sentinelImage();
    EXPECT_FALSE(jpegLoadMem(&image, file.data(), uint32_t(file.size())));
    EXPECT_TRUE(isSentinel(image));
}

TEST(Jpeg, LoadsFromFileAndRefusesMissingFile) {
    const auto file = encodeJpeg(jpegTestPicture(19, 11, 3, 8), 19, 11, {.lumaSamplingX = 2});
    const std::string path = writeTestFile("jpeg_load.jpg", file);
    GFXimage image{};
    ASSERT_TRUE(jpegLoad(&image, path.c_str()));
    EXPECT_EQ(image.width, 19u);
    EXPECT_EQ(image.height, 11u);
    FreeImage(&image);
    image = sentinelImage();
    EXPECT_FALSE(jpegLoad(&image, (path + ".missing").c_str()));
    EXPECT_TRUE(isSentinel(image));
}

}  // namespace
}  // namespace zorblit::test
