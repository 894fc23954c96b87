// Every writer's file checked by another program's code where one exists: PNG read
// back by libpng at each compression level, bitmaps by SDL; QOI by our reader, whose
// operations its own tests pin by hand. Over odd sizes and random and photographic
// content. And failed writes, which must leave no file behind and the old one as it was.
#include <csignal>
#include <set>

#include "../loaders/reader_test_support.h"
#include "child_process.h"

namespace zorblit::test {
namespace {

namespace fs = std::filesystem;

// A fresh empty folder for one test.
fs::path scratchFolder(const std::string &name) {
    const fs::path folder = fs::path(ZORBLIT_TEST_OUTPUT_DIR) / "writers" / name;
    fs::remove_all(folder), fs::create_directories(folder);
    return folder;
}

// Saves with each writer, with and without alpha (which a file without it gives
// back as 255), and checks each file; the PNG file in memory is the one on disk.
void checkRoundTrips(const GFXimage &image, const fs::path &folder) {
    for (bool alpha : {false, true}) {
        Pixels expected(image.data, image.data + size_t(image.width) * image.height);
        for (uint32_t &pixel : expected) pixel |= alpha ? 0 : 0xFF000000;
        for (int32_t level : {0, 1, 2}) {
            pngSaveLevel = level;
            ASSERT_TRUE((alpha ? pngSaveAlpha : pngSave)(image, (folder / "a.png").c_str()));
            EXPECT_TRUE(readWithLibpng(readFile(folder / "a.png")) == expected) << "libpng, level " << level;
        }
        uint8_t *data = nullptr;
        size_t size = 0;
        ASSERT_TRUE(pngSaveMem(image, alpha, &data, &size));
        EXPECT_EQ(Bytes(data, data + size), readFile(folder / "a.png")) << "the memory form";
        FreeMemory(data);
        ASSERT_TRUE((alpha ? bmpSaveAlpha : bmpSave)(image, (folder / "a.bmp").c_str()));
        EXPECT_TRUE(sdlPixels(readFile(folder / "a.bmp")) == expected) << "SDL";
        ASSERT_TRUE((alpha ? qoiSaveAlpha : qoiSave)(image, (folder / "a.qoi").c_str()));
        EXPECT_TRUE(decodeExact(qoiLoadMem, readFile(folder / "a.qoi")).pixels == expected) << "QOI";
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
    // A flat row takes one colour, then runs of at most 62: header, 4, 17 and the end marker.
    OwnedImage flat(1000, 1);
    flat.fill(0xFF102030);
    ASSERT_TRUE(qoiSave(flat, (folder / "flat.qoi").c_str()));
    EXPECT_EQ(readFile(folder / "flat.qoi").size(), 14u + 4 + 17 + 8);
    GFXimage photo{};
    if (!pngLoad(&photo, (fs::path(ZORBLIT_TEST_PHOTOS) / "photo_rgba8.png").c_str())) return;
    checkRoundTrips(photo, folder);
    FreeImage(&photo);
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
    EXPECT_EQ(readFile(folder / "old.png"), (Bytes{'o', 'l', 'd'}));
    uint8_t *data = nullptr;
    size_t size = 77;  // a refusal in memory leaves both alone
    EXPECT_FALSE(pngSaveMem(GFXimage{}, false, &data, &size) || data || size != 77);
}

}  // namespace
}  // namespace zorblit::test
