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
uint64_t firstHolding(uint64_t lo, uint64_t hi, uint64_t guess, Holds holds) {
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
    FloatWalk(float start, float step) : value_(start), step_(step) {}

    float value() const { return value_; }
    void step() { value_ += step_; }

    // The values from here on that are exactly start + i * increment, i < count.
    struct Stretch {
        float start, increment;
        uint64_t count;  // at least 1
        float at(uint64_t i) const { return start + float(i) * increment; }
        bool stalled() const { return increment == 0 && count > 1; }
    };
    Stretch stretch() const {
        const float next = value_ + step_;
        if (next == value_) return {value_, 0.0f, UINT64_MAX};  // stalled for good
        const Stretch single{value_, 0.0f, 1};
        const uint32_t v = std::bit_cast<uint32_t>(value_), n = std::bit_cast<uint32_t>(next);
        // Within one sign and one binade of normal numbers the rounding grid is
        // fixed and the encodings count its steps (ulps).
        const uint32_t binade = (v >> 23) & 0xff;
        if ((v ^ n) >> 23 || binade == 0 || binade == 0xff) return single;
        const int64_t change = int64_t(n) - int64_t(v);  // ulps, positive when the magnitude grows
        const double toUlps = std::bit_cast<double>(uint64_t(1023 + 150 - binade) << 52);
        const double offset = v & 0x7fffff, stepUlps = std::fabs(step_) * toUlps;
        // Each sum rounds by the same amount on a fixed grid, unless it can fall
        // halfway between two points: then the choice depends on the parity of the
        // value, and one more step must show that it has settled.
        const double twice = 2 * stepUlps;  // below 2^24 here, as the first sum stayed in the binade
        if (twice == double(int64_t(twice)) && int64_t(twice) % 2) {
            const uint32_t a = std::bit_cast<uint32_t>(next + step_);
            if ((n ^ a) >> 23 || int64_t(a) - int64_t(n) != change) return single;
        }
        // Step i adds the same while its exact sum stays in the binade, whose points
        // lie 0 .. 2^23 ulps above its low end: growing, while offset + i * |change| +
        // stepUlps < 2^23; shrinking, while offset - i * |change| - stepUlps >= 0.
        const double stride = double(std::abs(change));
        const double room = change > 0 ? 8388608.0 - offset - stepUlps : offset - stepUlps;
        uint64_t steps = 0;  // exact products below 2^53 settle the count the division suggests
        if (change > 0) {
            steps = uint64_t(room / stride);
            while (steps > 0 && double(steps - 1) * stride >= room) --steps;
            while (double(steps) * stride < room) ++steps;
        } else if (room >= 0) {
            steps = uint64_t(room / stride);
            while (steps > 0 && double(steps) * stride > room) --steps;
            while (double(steps + 1) * stride <= room) ++steps;
            ++steps;
        }
        // Inside one binade the difference of two values is exact in float too.
        return {value_, next - value_, steps + 1};
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
            if (here.count == 1) {
                step();
                ++taken;
                continue;
            }
            // Land on the first value of the stretch that reaches, or on its last.
            const uint64_t last = std::min(here.count - 1, limit - taken);
            auto holds = [&](uint64_t i) { return reached(here.at(i)); };
            const uint64_t first =
                holds(last) ? firstHolding(1, last, indexNear((target - here.start) / here.increment, last), holds) : last;
            value_ = here.at(first);
            taken += first;
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
    float value_, step_;
};

}  // namespace zorblit::draw
