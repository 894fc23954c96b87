#include "kernels/level.h"

#include <array>
#include <atomic>
#include <mutex>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace zorblit::kernels {
namespace {

#if defined(__x86_64__)
// A level needs its instruction bits and the operating system saving the
// registers it uses (OSXSAVE, then XCR0: bits 1-2 for 256-bit registers, bits
// 5-7 for the mask registers and the upper 512-bit halves).
Level readProcessor() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return Level::SSE2;
    if (!(c & bit_OSXSAVE) || !(c & bit_AVX)) return Level::SSE2;
    uint32_t xcr0Low = 0, xcr0High = 0;
    __asm__("xgetbv" : "=a"(xcr0Low), "=d"(xcr0High) : "c"(0));
    if ((xcr0Low & 0x6) != 0x6) return Level::SSE2;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d) || !(b & bit_AVX2)) return Level::SSE2;
    constexpr unsigned kAvx512Bits = bit_AVX512F | bit_AVX512BW | bit_AVX512DQ | bit_AVX512VL;
    if ((b & kAvx512Bits) != kAvx512Bits || (xcr0Low & 0xE0) != 0xE0) return Level::AVX2;
    return Level::AVX512;
}
#else
Level readProcessor() { return Level::Plain; }
#endif

std::atomic<Level> forced{Level::Plain};
std::atomic<bool> isForced{false};

// Kernels that have chosen; a fixed table, as there are a few dozen at most.
std::mutex chosenLock;
std::array<void (*)(), 128> chosen{};
size_t chosenCount = 0;

}  // namespace

const char *levelName(Level level) {
    switch (level) {
        case Level::Plain: return "plain";
        case Level::SSE2: return "sse2";
        case Level::AVX2: return "avx2";
        case Level::AVX512: return "avx512";
    }
    return "?";
}

Level detectedLevel() {
    static const Level level = readProcessor();
    return level;
}

Level activeLevel() { return isForced.load(std::memory_order_acquire) ? forced.load() : detectedLevel(); }

bool forceLevel(Level level) {
    if (level > detectedLevel()) return false;
    forced.store(level);
    isForced.store(true, std::memory_order_release);
    const std::lock_guard<std::mutex> hold(chosenLock);
    for (size_t i = 0; i < chosenCount; ++i) chosen[i]();
    return true;
}

void detail::rememberChosen(void (*unchoose)()) {
    const std::lock_guard<std::mutex> hold(chosenLock);
    for (size_t i = 0; i < chosenCount; ++i)
        if (chosen[i] == unchoose) return;
    if (chosenCount < chosen.size()) chosen[chosenCount++] = unchoose;
}

}  // namespace zorblit::kernels
