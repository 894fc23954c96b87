// Instruction-set levels and the one switch that picks which variant every
// kernel runs. The processor is read once; tests may force any level it has.
#pragma once
#include <cstdint>

namespace zorblit::kernels {

// Ordered: each level includes the ones before it. AVX512 is the F, BW, DQ and
// VL subsets together. On processors other than x86-64 only Plain exists.
enum class Level : uint8_t { Plain, SSE2, AVX2, AVX512 };

inline constexpr Level kAllLevels[] = {Level::Plain, Level::SSE2, Level::AVX2, Level::AVX512};

const char *levelName(Level level);

// The highest level this processor (and its operating system) supports.
Level detectedLevel();

// The level kernels choose from: the detected one unless a test forced another.
Level activeLevel();

// Makes every kernel use the variant of `level` from its next call on. Refuses
// (returns false, changes nothing) a level the processor lacks. Not thread-safe
// against kernels running at the same time: for tests and benchmarks.
bool forceLevel(Level level);

namespace detail {
// Records a kernel that has chosen its variant, so that forceLevel can make it
// choose again.
void rememberChosen(void (*unchoose)());
}  // namespace detail

}  // namespace zorblit::kernels
