// A single-precision coordinate that advances by a constant step: every step is
// value := value + step, rounded to float, exactly as a plain loop computes it.
// Lines and triangles far outside the image would take billions of such steps
// before reaching it, and lines plot faster without a chain of additions, so
// stretches are taken whole: inside one binade the rounding grid is fixed, and
// every step whose exact sum stays in the binade adds the same amount.
#pragma once
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace zorblit::draw {

// The nearest integer, ties to even (the default rounding mode); with math errno
// off this is one conversion instruction.
inline int64_t roundToEven(float value) { return std::llrint(value); }

// The first i in [lo, hi) for which holds(i), or hi, where holds stays true once
// it is true. guess and its neighbour are tested first, so a guess within one of
// the answer settles it in two tests; any guess gives the right answer.
template <class Holds>
uint64_t firstHolding(uint64_t lo, uint64_t hi, uint64_t guess, const Holds &holds) {
    if (lo <= guess && guess < hi) {
        if (holds(guess)) {
            if (guess == lo || !holds(guess - 1)) return guess;
            hi = guess - 1;
        } else {
            lo = guess + 1;
            if (lo < hi && holds(lo)) return lo;
            lo = std::min(lo + 1, hi);
        }
    }
    while (lo < hi) {
        const uint64_t mid = lo + (hi - lo) / 2;
        if (holds(mid)) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

// An index guessed from a fractional position: rounded up, within 0..limit.
inline uint64_t indexNear(double position, uint64_t limit) {
    if (!(position > 0)) return 0;
    return position < double(limit) ? uint64_t(std::ceil(position)) : limit;
}

class FloatWalk {
public:
    FloatWalk(float start, float step) : value_(start), step_(step) {
        // |step| = stepBits_ * 2^(stepBinade_ - 150), as a binade's ulps are
        // 2^(binade - 150).
        const uint32_t bits = std::bit_cast<uint32_t>(step) & 0x7fffffff, exponent = bits >> 23;
        stepBinade_ = std::max<uint32_t>(exponent, 1);
        stepBits_ = (bits & 0x7fffff) | (exponent ? 0x800000 : 0);
        stepLowBit_ = uint32_t(std::countr_zero(stepBits_));
    }

    float value() const { return value_; }
    void step() { value_ += step_; }

    // The values from here on that are exactly start + i * increment, i < count.
    struct Stretch {
        float start, increment;
        uint64_t count;  // at least 1
        // i is below 2^24 wherever the increment is not 0 (a signed conversion is
        // one instruction).
        float at(uint64_t i) const { return start + float(int64_t(i)) * increment; }
        bool stalled() const { return increment == 0 && count > 1; }
    };
    Stretch stretch() const {
        const Pace pace = this->pace();
        if (pace.stalled()) return {value_, 0.0f, UINT64_MAX};
        if (!pace.allows(value_)) return {value_, 0.0f, 1};
        // Steps start from this point and every stride ulps up to the last; the
        // encodings of one binade count ulps.
        auto ulps = [](float a, float b) {
            return uint32_t(std::abs(int32_t(std::bit_cast<uint32_t>(a) - std::bit_cast<uint32_t>(b))));
        };
        return {value_, pace.increment, ulps(pace.last, value_) / ulps(value_ + pace.increment, value_) + 2};
    }

    // Takes up to limit steps, stopping at the first value for which reached(value)
    // holds (reached must stay true once it is true along the walk). Returns the
    // number of steps taken; a value that no step can change counts as taking them all.
    // target, where reached is expected to turn true, only speeds up the search.
    template <class Reached>
    uint64_t advanceUntil(uint64_t limit, Reached reached, double target = NAN) {
        uint64_t taken = 0;
        while (taken < limit && !reached(value_)) {
            const Stretch here = stretch();
            if (here.stalled()) return limit;
            // Land on the first value of the stretch that reaches.
            const uint64_t last = std::min(here.count - 1, limit - taken);
            auto holds = [&](uint64_t i) { return reached(here.at(i)); };
            if (last > 0 && holds(last)) {
                const uint64_t first = firstHolding(1, last, indexNear((target - here.start) / here.increment, last), holds);
                value_ = here.at(first);
                return taken + first;
            }
            // None of it does: on to its last value, and past it by the step no
            // stretch shares.
            value_ = here.at(last);
            taken += last;
            if (last + 1 == here.count && taken < limit) {
                step();
                ++taken;
            }
        }
        return taken;
    }

    void skip(uint64_t count) {
        advanceUntil(count, [](float) { return false; });
    }

    // Moves count values along a stretch taken here, taking the next stretch when
    // this one is used up.
    void advance(Stretch &stretch, uint64_t count) {
        if (count < stretch.count) {
            stretch = {stretch.at(count), stretch.increment, stretch.count - count};
            return;
        }
        value_ = stretch.at(count - 1);
        step();
        stretch = this->stretch();
    }

private:
    // The exact amount every step adds from here on, and the last value a step may
    // start from and still add it. Stalled walks add 0 for good (last is infinite);
    // where the next step must be taken on its own, last is NaN and allows nothing.
    struct Pace {
        float increment, last;
        bool allows(float value) const { return increment >= 0 ? value <= last : value >= last; }
        bool stalled() const { return increment == 0 && last == INFINITY; }
    };
    Pace pace() const {
        const float next = value_ + step_;
        if (next == value_) return {0.0f, INFINITY};
        const Pace single{0.0f, NAN};
        const uint32_t v = std::bit_cast<uint32_t>(value_), n = std::bit_cast<uint32_t>(next);
        // Within one sign and one binade of normal numbers the rounding grid is
        // fixed and the encodings count its steps (ulps).
        const uint32_t binade = (v >> 23) & 0xff;
        if ((v ^ n) >> 23 || binade == 0 || binade == 0xff) return single;
        const int64_t change = int64_t(n) - int64_t(v);  // ulps, positive when the magnitude grows
        // The step is stepBits_ >> shift ulps of this binade (shift >= 1, as the
        // first sum stayed in the binade), its fraction the bits shifted out.
        const uint32_t shift = std::min<uint32_t>(binade - stepBinade_, 63);
        const uint64_t whole = stepBits_ >> shift;
        const bool fraction = (stepBits_ & ((uint64_t(1) << shift) - 1)) != 0;
        // Each sum rounds by the same amount on a fixed grid, unless it can fall
        // halfway between two points: then the choice depends on the parity of the
        // value, and one more step must show that it has settled.
        if (shift == stepLowBit_ + 1) {
            const uint32_t a = std::bit_cast<uint32_t>(next + step_);
            if ((n ^ a) >> 23 || int64_t(a) - int64_t(n) != change) return single;
        }
        // A step adds the same while its exact sum stays in the binade, whose points
        // lie 0 .. 2^23 ulps above its low end: growing, from points up to
        // 2^23 - 1 - floor(step); shrinking, from points down to ceil(step).
        const uint32_t lastOffset = change > 0 ? 0x7fffff - uint32_t(whole) : uint32_t(whole + fraction);
        const Pace steady{next - value_, std::bit_cast<float>((v & 0xff800000) | lastOffset)};
        return steady.allows(value_) ? steady : single;
    }

    float value_, step_;
    uint64_t stepBits_;
    uint32_t stepBinade_, stepLowBit_;
};

}  // namespace zorblit::draw
