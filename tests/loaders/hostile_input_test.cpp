// Readers against what a hostile caller or file system hands them: null blocks,
// blocks of 2 GiB and more, FIFOs swapped in behind a name, files whose size the
// system reports as 0, and too little memory for the picture.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "child_process.h"
#include "reader_test_support.h"

// Allocation failures must reach the library as null pointers, not as the
// sanitizer's own report, for the out-of-memory cases below.
extern "C" __attribute__((visibility("default"), used)) const char *__asan_default_options() {
    return "allocator_may_return_null=1";
}

namespace zorblit::test {
namespace {

TEST(HostileInput, NullBlocksAreRefused) {
    for (const auto load : {pngLoadMem, jpegLoadMem, gifLoadMem, tgaLoadMem, qoiLoadMem, imageLoadMem})
        for (const uint32_t size : {0u, 1u, 100u, UINT32_MAX}) {
            GFXimage image = sentinelImage();
            EXPECT_FALSE(load(&image, nullptr, size) || !isSentinel(image)) << size;
        }
}

// A JPEG at the start of a block of 2 GiB + 1 bytes: the whole length counts.
TEST(HostileInput, JpegBlocksOf2GiBAndMoreKeepTheirLength) {
    const Bytes encoded = readFile(std::string(ZORBLIT_SOURCE_DIR) + "/fuzz/corpus/jpeg/grey_9x7.jpg");
    ASSERT_FALSE(encoded.empty());
    const size_t blockSize = (size_t(1) << 31) + 1;
    void *block = mmap(nullptr, blockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(block, MAP_FAILED);
    std::memcpy(block, encoded.data(), encoded.size());
    GFXimage whole{}, exact{};
    EXPECT_TRUE(jpegLoadMem(&whole, static_cast<uint8_t *>(block), uint32_t(blockSize)));
    ASSERT_TRUE(jpegLoadMem(&exact, encoded.data(), uint32_t(encoded.size())));
    EXPECT_EQ(compareImages(whole, exact, "2 GiB block"), "");
    FreeImage(&whole), FreeImage(&exact), munmap(block, blockSize);
}

TEST(HostileInput, OnlyRegularFilesAreReadAndToTheirEnd) {
    uint8_t *bytes = nullptr;
    uint32_t size = 0;
    // /proc files report size 0 but have content.
    ASSERT_TRUE(LoadFileToMemory("/proc/self/status", &bytes, &size));
    EXPECT_NE(std::string(reinterpret_cast<char *>(bytes), size).find("Name:"), std::string::npos);
    std::free(bytes);

    const std::string fifo = outputPath("reader-fifo-" + std::to_string(getpid()));
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const char *name : {fifo.c_str(), "/dev/zero", "/dev/null", "/tmp", "", static_cast<const char *>(nullptr)}) {
        bytes = reinterpret_cast<uint8_t *>(0x1), size = 77;
        EXPECT_FALSE(LoadFileToMemory(name, &bytes, &size)) << (name ? name : "NULL");
        EXPECT_TRUE(bytes == reinterpret_cast<uint8_t *>(0x1) && size == 77);
        GFXimage image = sentinelImage();
        EXPECT_FALSE(pngLoad(&image, name) || !isSentinel(image));
    }
    std::remove(fifo.c_str());
}

// A name that turns between a file and a FIFO while readers open it: no read
// may block on the FIFO, however the swaps fall.
TEST(HostileInput, ANameSwappedToAFifoNeverBlocks) {
    const std::string base = outputPath("reader-swap-" + std::to_string(getpid()));
    const std::string file = base + ".file", fifo = base + ".fifo", name = base + ".name", next = base + ".next";
    std::ofstream(file) << "not a picture";
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(test::statusOfChild([&] {
        std::atomic<bool> done{false};
        std::thread swapper([&] {
            for (bool toFifo = true; !done; toFifo = !toFifo) {
                std::remove(next.c_str());
                if (symlink((toFifo ? fifo : file).c_str(), next.c_str()) != 0 || rename(next.c_str(), name.c_str()) != 0)
                    break;
            }
        });
        for (int i = 0; i < 20000; ++i) {
            GFXimage image = sentinelImage();
            if (pngLoad(&image, name.c_str())) break;
        }
        done = true, swapper.join();
        return 0;
    }, 20), 0);
    for (const std::string &path : {file, fifo, name, next}) std::remove(path.c_str());
}

// A 2 KB file of a 16777216 x 1 black picture (64 MB of pixels), plain and
// interlaced, read with 0 to 256 MB of address space to spare: each read gives
// the picture or false, and never ends the process.
TEST(HostileInput, RunningOutOfMemoryIsAPlainFalse) {
    if (!test::kAddressSpaceLimitsApply) GTEST_SKIP() << "address-space limits do not bind under the emulator";
    constexpr uint32_t kWidth = 1u << 24;
    constexpr int kRefused = 20, kDecoded = 21;  // other statuses: a crash or a sanitizer report
    // Interlaced, the one row has pixels in the passes that start on row 0: from x 0, 4, 2, 1 in steps of 8, 8, 4, 2.
    Bytes plain(1 + kWidth / 8, 0), interlaced;
    for (const auto &[x0, dx] : {std::pair{0u, 8u}, {4u, 8u}, {2u, 4u}, {1u, 2u}})
        interlaced.insert(interlaced.end(), 1 + ((kWidth - x0 + dx - 1) / dx + 7) / 8, 0);
    int refused = 0, decoded = 0;
    for (const auto &[raw, interlace] : {std::pair{plain, 0}, {interlaced, 1}}) {
        const Bytes file = PngBuilder().header(kWidth, 1, 1, 0, uint8_t(interlace)).idat(raw).end();
        for (uint64_t spare = 0; spare <= 256; spare += 32) {
            const int status = test::statusOfChild([&] {
                if (!test::limitAddressSpace(spare << 20)) return 9;
                GFXimage image = sentinelImage();
                if (!pngLoadMem(&image, file.data(), uint32_t(file.size()))) return isSentinel(image) ? kRefused : 8;
                return image.width == kWidth && image.data[kWidth - 1] == 0xFF000000u ? kDecoded : 7;
            });
            ASSERT_TRUE(status == kRefused || status == kDecoded) << interlace << ", " << spare << " MB: " << status;
            (status == kDecoded ? decoded : refused) += 1;
        }
    }
    EXPECT_TRUE(refused > 0 && decoded > 0) << "the limit bit on some reads and not on others";
}

}  // namespace
}  // namespace zorblit::test
