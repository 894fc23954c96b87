// A kernel: one inner loop with a plain variant and faster ones per level, each
// computing exactly what the plain one does. Calls go through a pointer that
// starts at a chooser: the first call picks the variant for the active level,
// stores it over the chooser, and runs it. forceLevel sends every kernel back
// to its chooser.
#pragma once
#include <atomic>

#include "kernels/level.h"

namespace zorblit::kernels {

template <class Self, class Fn>
class KernelSlot;

template <class Self, class R, class... A>
class KernelSlot<Self, R (*)(A...)> {
public:
    using Fn = R (*)(A...);
    static R call(A... args) { return current_.load(std::memory_order_relaxed)(args...); }
    static Fn chosen() { return Self::pick(activeLevel()); }

private:
    static R choose(A... args) {
        const Fn variant = Self::pick(activeLevel());
        detail::rememberChosen(&unchoose);
        current_.store(variant, std::memory_order_relaxed);
        return variant(args...);
    }
    static void unchoose() { current_.store(&choose, std::memory_order_relaxed); }

    static inline std::atomic<Fn> current_{&choose};
};

// Plain, SSE2, AVX2 and AVX-512 variants of one signature; a level without a
// variant of its own uses the one below it.
template <auto Plain, auto Sse2 = Plain, auto Avx2 = Sse2, auto Avx512 = Avx2>
struct Kernel : KernelSlot<Kernel<Plain, Sse2, Avx2, Avx512>, decltype(Plain)> {
    static decltype(Plain) pick(Level level) {
        switch (level) {
            case Level::AVX512: return Avx512;
            case Level::AVX2: return Avx2;
            case Level::SSE2: return Sse2;
            default: return Plain;
        }
    }
};

}  // namespace zorblit::kernels

// ZORBLIT_KERNEL(plain, sse2[, avx2[, avx512]]). The x86-64 variants exist only
// there; elsewhere every level is the plain one.
#if defined(__x86_64__)
#define ZORBLIT_KERNEL(plain, ...) ::zorblit::kernels::Kernel<plain, __VA_ARGS__>
#else
#define ZORBLIT_KERNEL(plain, ...) ::zorblit::kernels::Kernel<plain>
#endif
