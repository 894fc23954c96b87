// imageLoad and imageLoadMem over the fuzz seed files of every format: each gives
// what its own reader gives; names matter only for IM and for TGA's reason.
#include <filesystem>

#include "loaders/bmp.h"
#include "loaders/gif.h"
#include "loaders/im.h"
#include "loaders/pcx.h"
#include "loaders/png.h"
#include "loaders/qoi.h"
#include "loaders/tga.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

Decoded loadFile(const std::string &path) {
    GFXimage image = sentinelImage();
    Decoded result{imageLoad(&image, path.c_str()), image.width, {}};
    EXPECT_TRUE(result.ok || isSentinel(image));
    if (!result.ok) return result;
    result.pixels.assign(image.data, image.data + size_t(image.width) * image.height);
    FreeImage(&image);
    return result;
}

TEST(ImageLoad, EveryFormatBySignatureImByNameTgaLast) {
    const std::pair<const char *, MemoryDecoder> formats[] = {
        {"png", pngDecode}, {"jpeg", jpegLoadMem}, {"gif", gifDecode}, {"bmp", bmpDecode},
        {"qoi", qoiDecode}, {"pcx", pcxDecode}, {"tga", tgaDecode}, {"im", imDecode}};
    for (const auto &[format, decode] : formats) {
        size_t files = 0;
        for (const auto &item : std::filesystem::directory_iterator(std::string(ZORBLIT_FUZZ_CORPUS) + "/" + format)) {
            const Bytes bytes = readFile(item.path());
            const Decoded expected = decodeExact(decode, bytes);
            SCOPED_TRACE(item.path().string());
            ASSERT_TRUE(expected.ok);
            // In memory and under a neutral name: IM is not recognised there.
            const std::string renamed = outputPath("any_format.dat");
            std::ofstream(renamed, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
            const Decoded inMemory = decodeExact(imageLoadMem, bytes), byName = loadFile(item.path()), neutral = loadFile(renamed);
            EXPECT_EQ(byName.pixels, expected.pixels);
            if (std::string(format) != "im") {
                EXPECT_EQ(inMemory.pixels, expected.pixels);
                EXPECT_EQ(neutral.pixels, expected.pixels);
            }
            ++files;
        }
        EXPECT_GT(files, 0u) << format;
    }
    // Unknown bytes: the general reason, or TGA's for a name that claims TGA.
    const Bytes unknown = {'h', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(decodeExact(imageLoadMem, unknown).ok);
    EXPECT_STREQ(LoadFailureReason(), "unknown image format");
    const std::string tga = outputPath("not_really.TGA");
    std::ofstream(tga, std::ios::binary).write(reinterpret_cast<const char *>(unknown.data()), std::streamsize(unknown.size()));
    EXPECT_FALSE(loadFile(tga).ok);
    EXPECT_STREQ(LoadFailureReason(), "not a TGA file");
    EXPECT_FALSE(loadFile(tga + ".missing").ok);
    EXPECT_STREQ(LoadFailureReason(), "cannot open file");
}

}  // namespace
}  // namespace zorblit::test
