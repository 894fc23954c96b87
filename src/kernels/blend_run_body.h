// The blend, colour-key and copy runs, written once against a register wrapper V
// (x86_vec.h). blend_run.cpp includes this once per level, inside the level's
// namespace and target region, so there is no include guard. Each run covers
// whole registers and returns how many pixels it did; with masked tails (V's
// maskedTails) it does them all.

// (s * w + d * (255 - w)) >> 8 per byte, on pixels widened to 16-bit lanes. w
// holds (w, w, w, 0) per pixel, so alpha comes out 0, unless AllBytes (then
// (w, w, w, w), alpha mixed too).
template <class V, bool AllBytes>
inline typename V::R mixHalf(typename V::R s16, typename V::R d16, typename V::R w16) {
    const typename V::R inverse = V::bitXor(w16, V::set64(AllBytes ? 0x00FF00FF00FF00FF : 0x000000FF00FF00FF));
    return V::template shiftRight16<8>(V::add16(V::mulLow16(s16, w16), V::mulLow16(d16, inverse)));
}

// The weights' lanes are those of the pixels the low and the high widening give.
template <class V, bool AllBytes = false>
inline typename V::R mix(typename V::R s, typename V::R d, typename V::R wLow, typename V::R wHigh) {
    return V::narrow16(mixHalf<V, AllBytes>(V::widenLow8(s), V::widenLow8(d), wLow),
                       mixHalf<V, AllBytes>(V::widenHigh8(s), V::widenHigh8(d), wHigh));
}

// Per byte (a >> 1) + (b >> 1): the halves cannot carry.
template <class V>
inline typename V::R averageDown(typename V::R a, typename V::R b) {
    const typename V::R low7 = V::set32(0x7F7F7F7F);
    return V::add8(V::bitAnd(V::template shiftRight16<1>(a), low7), V::bitAnd(V::template shiftRight16<1>(b), low7));
}

template <class V, BlendOp Op>
typename V::R blend(typename V::R a, typename V::R b, typename V::R valueLanes) {
    const typename V::R opaque = V::set32(0xFF000000u);
    if constexpr (Op == BlendOp::OpaqueAverageDown) {
        return V::bitOr(averageDown<V>(a, b), opaque);
    } else if constexpr (Op == BlendOp::OpaqueSaturatedAdd) {
        return V::bitOr(blend<V, BlendOp::SaturatedAdd>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::OpaqueSaturatedSub) {
        return V::bitOr(blend<V, BlendOp::SaturatedSub>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::OpaqueAlpha) {
        return V::bitOr(blend<V, BlendOp::Alpha>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::AlphaValueAllBytes) {
        return mix<V, true>(a, b, valueLanes, valueLanes);
    } else if constexpr (Op == BlendOp::Average) {
        return V::averageU8(a, b);
    } else if constexpr (Op == BlendOp::SaturatedAdd) {
        return V::addSaturatedU8(a, b);
    } else if constexpr (Op == BlendOp::SaturatedSub) {
        return V::subSaturatedU8(a, b);
    } else if constexpr (Op == BlendOp::Invert) {
        return V::bitXor(a, V::set32(0xFFFFFFFFu));
    } else if constexpr (Op == BlendOp::AlphaValue) {
        return mix<V>(a, b, valueLanes, valueLanes);
    } else {
        const typename V::R r = mix<V>(a, b, V::alphaLanesLow(a), V::alphaLanesHigh(a));
        if constexpr (Op == BlendOp::AlphaSkippingTransparent)
            return V::select(V::equal32(V::bitAnd(a, opaque), V::zero()), b, r);
        return r;
    }
}

// One register; with the skipping alpha, a register of transparent sources
// gives b unchanged without the arithmetic (sprites often have wide clear
// margins).
template <class V, BlendOp Op>
inline void blendStep(uint32_t *dest, const uint32_t *a, const uint32_t *b, typename V::R valueLanes) {
    const typename V::R av = V::load(a), bv = V::load(b);
    if constexpr (Op == BlendOp::AlphaSkippingTransparent) {
        if (V::allZero(V::bitAnd(av, V::set32(0xFF000000u)))) {
            if (dest != b) V::store(dest, bv);
            return;
        }
    }
    V::store(dest, blend<V, Op>(av, bv, valueLanes));
}

// With masked tails, the pixels before dest's next 64-byte boundary go first,
// as one masked register: a register store that straddles two cache lines
// costs about two.
template <class V>
size_t headToLine(const uint32_t *dest, size_t count) {
    const size_t head = (64 - reinterpret_cast<uintptr_t>(dest) % 64) % 64 / sizeof(uint32_t);
    return head < count ? head : count;
}

// The first n pixels, for masked heads and tails.
template <class V, BlendOp Op>
void blendFirst(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t n, typename V::R valueLanes) {
    V::storeFirst(dest, n, blend<V, Op>(V::loadFirst(a, n), V::loadFirst(b, n), valueLanes));
}

// With prefetch, the two sources are asked for a kilobyte ahead, once per
// 64-byte line (16 pixels).
template <class V, BlendOp Op>
size_t wideBlendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value, bool prefetch) {
    // The AlphaValue weights: (v, v, v, 0) per pixel, or (v, v, v, v) for all bytes.
    const uint64_t lanes = Op == BlendOp::AlphaValueAllBytes ? 0x0001000100010001 : 0x0000000100010001;
    const typename V::R valueLanes = V::set64(value * lanes);
    size_t i = 0;
    if constexpr (V::maskedTails)
        if ((i = headToLine<V>(dest, count))) blendFirst<V, Op>(dest, a, b, i, valueLanes);
    for (; i + 16 <= count; i += 16) {
        if (prefetch) x86::prefetchAhead(a + i), x86::prefetchAhead(b + i);
        for (size_t k = i; k < i + 16; k += V::pixels) blendStep<V, Op>(dest + k, a + k, b + k, valueLanes);
    }
    for (; i + V::pixels <= count; i += V::pixels) blendStep<V, Op>(dest + i, a + i, b + i, valueLanes);
    if constexpr (V::maskedTails) {
        if (i < count) blendFirst<V, Op>(dest + i, a + i, b + i, count - i, valueLanes);
        return count;
    }
    return i;
}

template <class V>
void keyFirst(uint32_t *dest, const uint32_t *source, size_t n, typename V::R keys) {
    const typename V::R s = V::loadFirst(source, n);
    V::storeFirstExcept(dest, n, V::equal32(s, keys), s);
}

template <class V>
size_t wideKeyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key) {
    const typename V::R keys = V::set32(key);
    size_t i = 0;
    if constexpr (V::maskedTails)
        if ((i = headToLine<V>(dest, count))) keyFirst<V>(dest, source, i, keys);
    for (; i + V::pixels <= count; i += V::pixels) {
        const typename V::R s = V::load(source + i);
        V::storeExcept(dest + i, V::equal32(s, keys), s);
    }
    if constexpr (V::maskedTails) {
        if (i < count) keyFirst<V>(dest + i, source + i, count - i, keys);
        return count;
    }
    return i;
}

// Four registers loaded, then stored: source and dest must not overlap.
template <class V>
size_t wideCopyRun(uint32_t *dest, const uint32_t *source, size_t count) {
    size_t i = 0;
    if constexpr (V::maskedTails)
        if ((i = headToLine<V>(dest, count))) V::storeFirst(dest, i, V::loadFirst(source, i));
    for (; i + 4 * V::pixels <= count; i += 4 * V::pixels) {
        const typename V::R r0 = V::load(source + i), r1 = V::load(source + i + V::pixels),
                            r2 = V::load(source + i + 2 * V::pixels), r3 = V::load(source + i + 3 * V::pixels);
        V::store(dest + i, r0);
        V::store(dest + i + V::pixels, r1);
        V::store(dest + i + 2 * V::pixels, r2);
        V::store(dest + i + 3 * V::pixels, r3);
    }
    for (; i + V::pixels <= count; i += V::pixels) V::store(dest + i, V::load(source + i));
    if constexpr (V::maskedTails) {
        if (i < count) V::storeFirst(dest + i, count - i, V::loadFirst(source + i, count - i));
        return count;
    }
    return i;
}
