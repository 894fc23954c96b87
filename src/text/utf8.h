// A UTF-8 decoder that never reads past the terminating NUL: a malformed sequence
// (a stray continuation byte, a lead byte that cannot start a character, an
// overlong form, a surrogate, a value past U+10FFFF, or a sequence cut short) is
// consumed as its longest start that could still begin a valid sequence, at least
// one byte, and reported once.
#pragma once
#include <cstdint>

namespace zorblit::text {

inline constexpr uint32_t kMalformed = 0xFFFFFFFF;

// The code point at text (which must not point at the NUL), moving text past it;
// kMalformed for a malformed sequence.
inline uint32_t nextCodePoint(const char *&text) {
    const auto byte = [&](int i) { return uint8_t(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80) {
        ++text;
        return lead;
    }
    // Continuation count and the range the second byte must lie in; the ranges
    // exclude overlong forms, surrogates and values past U+10FFFF.
    int continuations;
    uint8_t low = 0x80, high = 0xBF;
    uint32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2, value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3, value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        ++text;
        return kMalformed;
    }
    int taken = 1;
    for (; taken <= continuations; ++taken, low = 0x80, high = 0xBF) {
        const uint8_t next = byte(taken);  // a NUL fails the range test and ends the walk
        if (next < low || next > high) {
            text += taken;
            return kMalformed;
        }
        value = value << 6 | (next & 0x3F);
    }
    text += taken;
    return value;
}

}  // namespace zorblit::text
