// Every writer's file checked by another program's code: PNG read back by libpng
// at each compression level, bitmaps by SDL, QOI against the format's reference
// writer byte for byte; over odd sizes and random and photographic content. And
// failed writes, which must leave no file behind and the old one as it was.
#include <SDL.h>
#include <png.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>

#include "child_process.h"
#include "qoi_writer.h"
#include "test_images.h"

namespace zorblit::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A fresh empty folder for one test.
fs::path scratchFolder(const std::string &name) {
    const fs::path folder = fs::path(ZORBLIT_TEST_OUTPUT_DIR) / "writers" / name;
    fs::remove_all(folder), fs::create_directories(folder);
    return folder;
}

Bytes fileBytes(const fs::path &path) { return Bytes(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}); }

std::string readBackByLibpng(const fs::path &path, const OwnedImage &expected) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return "libpng refused the file";
    png.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in memory on a little-endian host
    OwnedImage image(png.width, png.height);
    if (!png_image_finish_read(&png, nullptr, image.get().data, 0, nullptr)) return "libpng failed to decode";
    return compareImages(image, expected, "libpng");
}

std::string readBackBySdl(const fs::path &path, const OwnedImage &expected) {
    SDL_Surface *loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return std::string("SDL refused the file: ") + SDL_GetError();
    SDL_Surface *argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    OwnedImage image(uint32_t(argb->w), uint32_t(argb->h));
    for (uint32_t y = 0; y < image.height(); ++y)
        std::copy_n(static_cast<const uint32_t *>(argb->pixels) + y * uint32_t(argb->pitch) / 4, image.width(), &image.at(0, y));
    SDL_FreeSurface(loaded), SDL_FreeSurface(argb);
    return compareImages(image, expected, "SDL");
}

// Saves with each writer, with and without alpha (which a file without it gives
// back as 255), and checks each file; the PNG file in memory is the one on disk.
void checkRoundTrips(const OwnedImage &image, const fs::path &folder) {
    OwnedImage solid(image);
    for (uint32_t &pixel : std::span(solid.get().data, size_t(solid.width()) * solid.height())) pixel |= 0xFF000000;
    for (bool alpha : {false, true}) {
        const OwnedImage &expected = alpha ? image : solid;
        for (int32_t level : {0, 1, 2}) {
            pngSaveLevel = level;
            ASSERT_TRUE((alpha ? pngSaveAlpha : pngSave)(image, (folder / "a.png").c_str()));
            EXPECT_EQ(readBackByLibpng(folder / "a.png", expected), "") << "level " << level;
        }
        uint8_t *data = nullptr;
        size_t size = 0;
        ASSERT_TRUE(pngSaveMem(image, alpha, &data, &size));
        EXPECT_EQ(Bytes(data, data + size), fileBytes(folder / "a.png")) << "the memory form";
        FreeMemory(data);
        ASSERT_TRUE((alpha ? bmpSaveAlpha : bmpSave)(image, (folder / "a.bmp").c_str()));
        EXPECT_EQ(readBackBySdl(folder / "a.bmp", expected), "");
        ASSERT_TRUE((alpha ? qoiSaveAlpha : qoiSave)(image, (folder / "a.qoi").c_str()));
        EXPECT_EQ(fileBytes(folder / "a.qoi"), qoiEncode(expected.pixels(), image.width(), image.height(), alpha ? 4 : 3));
    }
}

// Random pictures (1 x 1 first, some with flat stretches: runs, index hits,
// matches), and a photograph where the machine has the benchmark pictures.
TEST(ImageWriters, RandomImagesOfOddSizesAndAPhotographRoundTrip) {
    const fs::path folder = scratchFolder("random");
    TestRandom random(20);
    for (int i = 0; i < 12; ++i) {
        OwnedImage image(i == 0 ? 1 : uint32_t(random.range(1, 97)), i == 0 ? 1 : uint32_t(random.range(1, 41)));
        image.fillNoise(uint64_t(i));
        for (uint32_t y = 0; i % 3 == 1 && y < image.height(); ++y)
            for (uint32_t x = 0; x < image.width(); ++x)
                if ((x / 5 + y / 3) % 2) image.at(x, y) = 0x80FF8000u + y;
        SCOPED_TRACE(std::to_string(image.width()) + "x" + std::to_string(image.height()));
        checkRoundTrips(image, folder);
    }
    GFXimage photo{};
    if (!pngLoad(&photo, (fs::path(ZORBLIT_TEST_PHOTOS) / "photo_rgba8.png").c_str())) return;
    OwnedImage image(photo.width, photo.height);
    std::copy_n(photo.data, size_t(photo.width) * photo.height, image.get().data);
    FreeImage(&photo);
    checkRoundTrips(image, folder);
}

// What is in the folder after refused writes: a missing folder, no pixels, a
// folder in the way of the rename, and a file size limit that makes the disk
// "full" in a child process, over an old file that must stay.
TEST(ImageWriters, FailedWritesLeaveNoFileAndKeepTheOldOne) {
    const fs::path folder = scratchFolder("failures");
    OwnedImage image(300, 200);
    image.fillNoise(9);
    fs::create_directory(folder / "folder");
    std::ofstream(folder / "old.png") << "old";
    for (const auto save : {pngSave, bmpSave, qoiSave}) {
        EXPECT_FALSE(save(image, (folder / "missing" / "a.png").c_str()));
        EXPECT_FALSE(save(GFXimage{nullptr, 4, 4}, (folder / "empty").c_str()));
        EXPECT_FALSE(save(image, (folder / "folder").c_str()));
        EXPECT_EQ(statusOfChild([&] {
            const rlimit limit{1000, 1000};
            pngSaveLevel = 0, std::signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &limit);
            return save(image, (folder / "old.png").c_str()) ? 1 : 0;
        }), 0) << "a write over the size limit reported success";
    }
    std::set<fs::path> names;
    for (const auto &entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<fs::path>{"folder", "old.png"}));
    EXPECT_EQ(fileBytes(folder / "old.png"), (Bytes{'o', 'l', 'd'}));
    uint8_t *data = nullptr;
    size_t size = 77;  // a refusal in memory leaves both alone
    EXPECT_FALSE(pngSaveMem(GFXimage{}, false, &data, &size) || data || size != 77);
}

}  // namespace
}  // namespace zorblit::test
