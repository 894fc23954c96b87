// Every writer's file read back by our reader and by libpng, SDL or a small QOI
// decoder here, over odd sizes and random and photographic content; and failed
// writes, which must leave no file behind.
#include <SDL.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "test_images.h"

namespace zorblit::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A fresh empty folder for one test.
fs::path scratchFolder(const std::string &name) {
    const fs::path folder = fs::path(ZORBLIT_TEST_OUTPUT_DIR) / "writers" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

Bytes fileBytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The image as a file without alpha gives it back: alpha 255.
OwnedImage opaque(const OwnedImage &image) {
    OwnedImage copy(image);
    for (uint32_t y = 0; y < copy.height(); ++y)
        for (uint32_t x = 0; x < copy.width(); ++x) copy.at(x, y) |= 0xFF000000;
    return copy;
}

OwnedImage fromArgb(const uint32_t *pixels, uint32_t width, uint32_t height) {
    OwnedImage image(width, height);
    std::copy_n(pixels, size_t(width) * height, image.get().data);
    return image;
}

std::string readBackByLibpng(const Bytes &file, const OwnedImage &expected) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) return "libpng refused the file";
    png.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in memory on a little-endian host
    std::vector<uint32_t> pixels(size_t(png.width) * png.height);
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) return "libpng failed to decode";
    return compareImages(fromArgb(pixels.data(), png.width, png.height), expected, "libpng");
}

std::string readBackBySdl(const fs::path &path, const OwnedImage &expected) {
    SDL_Surface *loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return std::string("SDL refused the file: ") + SDL_GetError();
    SDL_Surface *argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    OwnedImage image(uint32_t(argb->w), uint32_t(argb->h));
    for (int y = 0; y < argb->h; ++y)
        std::memcpy(&image.at(0, uint32_t(y)), static_cast<uint8_t *>(argb->pixels) + y * argb->pitch, size_t(argb->w) * 4);
    SDL_FreeSurface(argb);
    return compareImages(image, expected, "SDL");
}

// QOI decoded from the format's description: ops, 64-entry index, runs.
std::string readBackQoi(const Bytes &file, const OwnedImage &expected) {
    const auto big32 = [&](size_t at) { return uint32_t(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3]; };
    if (file.size() < 22 || std::string(file.begin(), file.begin() + 4) != "qoif") return "no QOI header";
    OwnedImage image(big32(4), big32(8));
    uint8_t px[4] = {0, 0, 0, 255}, index[64][4] = {};  // r, g, b, a
    size_t at = 14;
    for (size_t i = 0, run = 0, count = size_t(image.width()) * image.height(); i < count; ++i) {
        if (run) {
            --run;
        } else {
            const uint8_t op = file.at(at++);
            if (op == 0xFE || op == 0xFF) {
                for (int c = 0; c < (op == 0xFF ? 4 : 3); ++c) px[c] = file.at(at++);
            } else if (op >> 6 == 0) {
                std::memcpy(px, index[op], 4);
            } else if (op >> 6 == 1) {
                for (int c = 0; c < 3; ++c) px[c] = uint8_t(px[c] + (op >> (4 - 2 * c) & 3) - 2);
            } else if (op >> 6 == 2) {
                const int dg = (op & 63) - 32, next = file.at(at++);
                px[0] = uint8_t(px[0] + dg + (next >> 4) - 8), px[1] = uint8_t(px[1] + dg), px[2] = uint8_t(px[2] + dg + (next & 15) - 8);
            } else {
                run = op & 63;
            }
            std::memcpy(index[(px[0] * 3 + px[1] * 5 + px[2] * 7 + px[3] * 11) % 64], px, 4);
        }
        image.get().data[i] = uint32_t(px[3]) << 24 | px[0] << 16 | px[1] << 8 | px[2];
    }
    if (Bytes(file.begin() + ptrdiff_t(at), file.end()) != Bytes{0, 0, 0, 0, 0, 0, 0, 1}) return "bad QOI end";
    return compareImages(image, expected, "QOI");
}

// Saves with each writer and reads the file back by every reader at hand.
void checkRoundTrips(const OwnedImage &image, const fs::path &folder) {
    const OwnedImage solid = opaque(image);
    for (bool alpha : {false, true}) {
        const OwnedImage &expected = alpha ? image : solid;
        const fs::path png = folder / "a.png", bmp = folder / "a.bmp", qoi = folder / "a.qoi";
        for (int32_t level : {0, 1, 2}) {
            pngSaveLevel = level;
            ASSERT_TRUE((alpha ? pngSaveAlpha : pngSave)(image, png.c_str()));
            OwnedImage loaded(0, 0);
            GFXimage record = loaded.get();
            ASSERT_TRUE(pngLoad(&record, png.c_str()));
            EXPECT_EQ(compareImages(record, expected, "pngLoad level " + std::to_string(level)), "");
            FreeImage(&record);
            EXPECT_EQ(readBackByLibpng(fileBytes(png), expected), "") << "level " << level;
        }
        pngSaveLevel = 2;
        ASSERT_TRUE((alpha ? bmpSaveAlpha : bmpSave)(image, bmp.c_str()));
        EXPECT_EQ(readBackBySdl(bmp, expected), "");
        if (!alpha) {  // our reader gives alpha 255
            GFXimage record{};
            ASSERT_TRUE(bmpLoad(&record, bmp.c_str()));
            EXPECT_EQ(compareImages(record, expected, "bmpLoad"), "");
            FreeImage(&record);
        }
        ASSERT_TRUE((alpha ? qoiSaveAlpha : qoiSave)(image, qoi.c_str()));
        EXPECT_EQ(readBackQoi(fileBytes(qoi), expected), "");
    }
}

TEST(ImageWriters, RandomImagesOfOddSizesRoundTrip) {
    const fs::path folder = scratchFolder("random");
    TestRandom random(20);
    for (int i = 0; i < 12; ++i) {
        const uint32_t width = i == 0 ? 1 : uint32_t(random.range(1, 97)), height = i == 0 ? 1 : uint32_t(random.range(1, 41));
        OwnedImage image(width, height);
        image.fillNoise(uint64_t(i));
        if (i % 3 == 1)  // flat stretches: runs, index hits, matches
            for (uint32_t y = 0; y < height; ++y)
                for (uint32_t x = 0; x < width; ++x)
                    if ((x / 5 + y / 3) % 2) image.at(x, y) = 0x80FF8000u + y;
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        checkRoundTrips(image, folder);
    }
}

TEST(ImageWriters, PhotographsRoundTrip) {
    const fs::path photo = fs::path(ZORBLIT_TEST_PHOTOS) / "photo_rgba8.png";
    if (!fs::exists(photo)) GTEST_SKIP() << "no benchmark pictures at " << photo;
    GFXimage record{};
    ASSERT_TRUE(pngLoad(&record, photo.c_str()));
    OwnedImage image(record.width, record.height);
    std::copy_n(record.data, size_t(record.width) * record.height, image.get().data);
    FreeImage(&record);
    checkRoundTrips(image, scratchFolder("photo"));
}

TEST(ImageWriters, MemoryFormMatchesTheFile) {
    const fs::path folder = scratchFolder("memory");
    OwnedImage image(33, 7);
    image.fillNoise(5);
    uint8_t *data = nullptr;
    size_t size = 0;
    ASSERT_TRUE(pngSaveMem(image, true, &data, &size));
    ASSERT_TRUE(pngSaveAlpha(image, (folder / "a.png").c_str()));
    EXPECT_EQ(Bytes(data, data + size), fileBytes(folder / "a.png"));
    FreeMemory(data);
    const GFXimage none{};
    EXPECT_FALSE(pngSaveMem(none, false, &data, &size));
}

// What is in the folder after a refused write.
std::vector<std::string> entries(const fs::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ImageWriters, FailedWritesLeaveNoFileAndKeepTheOldOne) {
    const fs::path folder = scratchFolder("failures");
    OwnedImage image(300, 200);
    image.fillNoise(9);
    const GFXimage empty{nullptr, 4, 4};
    using Save = bool (*)(GFXimage, const char *);
    for (Save save : {pngSave, bmpSave, qoiSave}) {
        EXPECT_FALSE(save(image, (folder / "missing" / "a.png").c_str()));
        EXPECT_FALSE(save(empty, (folder / "empty").c_str()));
        fs::create_directory(folder / "folder");
        EXPECT_FALSE(save(image, (folder / "folder").c_str()));  // the rename over a folder fails
    }
    EXPECT_EQ(entries(folder), std::vector<std::string>{"folder"});

    // A file size limit makes the disk "full" in a child process.
    std::ofstream(folder / "old.png") << "old";
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        pngSaveLevel = 0;
        const bool png = pngSave(image, (folder / "old.png").c_str()), bmp = bmpSave(image, (folder / "b.bmp").c_str());
        _exit(png || bmp ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write over the size limit reported success";
    EXPECT_EQ(entries(folder), (std::vector<std::string>{"folder", "old.png"}));
    EXPECT_EQ(fileBytes(folder / "old.png"), (Bytes{'o', 'l', 'd'}));
}

}  // namespace
}  // namespace zorblit::test
