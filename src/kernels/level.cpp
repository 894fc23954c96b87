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
// AVX2 needs the instruction bit and the operating system saving the upper
// halves of the vector registers (OSXSAVE, and XCR0 bits 1 and 2).
bool processorHasAvx2() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const bool osSavesVectors = (c & bit_OSXSAVE) && (c & bit_AVX);
    if (!osSavesVectors) return false;
    uint32_t xcr0Low = 0, xcr0High = 0;
    __asm__("xgetbv" : "=a"(xcr0Low), "=d"(xcr0High) : "c"(0));
    if ((xcr0Low & 6) != 6) return false;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    return (b & bit_AVX2) != 0;
}

Level readProcessor() { return processorHasAvx2() ? Level::AVX2 : Level::SSE2; }
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
