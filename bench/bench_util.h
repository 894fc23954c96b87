// Shared pieces of the benchmarks: images of a given size, and the byte count
// that makes Google Benchmark print bandwidth.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "kernels/level.h"
#include "zorblit.h"

namespace zorblit::bench {

// An image that frees itself, filled with a repeatable pattern.
struct BenchImage {
    GFXimage image{};
    BenchImage(uint32_t width, uint32_t height, uint32_t seed = 1) {
        AllocImage(&image, width, height);
        uint32_t state = seed * 2654435761u + 1;
        for (size_t i = 0; i < size_t(width) * height; ++i) {
            state = state * 1664525u + 1013904223u;
            image.data[i] = state;
        }
    }
    ~BenchImage() { FreeImage(&image); }
    BenchImage(const BenchImage &) = delete;
    BenchImage &operator=(const BenchImage &) = delete;
    operator GFXimage() const { return image; }
    size_t bytes() const { return size_t(image.width) * image.height * 4; }
};

// Reports the pixel bytes moved per iteration (read plus written beside memcpy
// and memset, written elsewhere), so rows compare as bandwidth.
inline void setBytes(benchmark::State &state, size_t bytesPerIteration) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytesPerIteration));
}

// Runs the kernels at `level` while it lives (none: the processor's own), and
// marks the benchmark skipped where the processor lacks it. Rows named
// zorblit_avx2 or zorblit_sse2 force that level.
class KernelLevel {
public:
    KernelLevel(benchmark::State &state, std::optional<kernels::Level> level) : forced_(level.has_value()) {
        if (forced_ && !kernels::forceLevel(*level)) state.SkipWithError("the processor lacks this kernel level");
    }
    ~KernelLevel() {
        if (forced_) kernels::forceLevel(kernels::detectedLevel());
    }
    KernelLevel(const KernelLevel &) = delete;
    KernelLevel &operator=(const KernelLevel &) = delete;

private:
    bool forced_;
};

inline constexpr std::optional<kernels::Level> kDetected, kAvx2{kernels::Level::AVX2}, kSse2{kernels::Level::SSE2};

}  // namespace zorblit::bench
