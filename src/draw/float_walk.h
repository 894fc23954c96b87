// A single-precision coordinate that advances by a constant step: every step is
// value := value + step, rounded to float, exactly as a plain loop computes it.
// Lines and triangles far outside the image would take billions of such steps
// before reaching it, so long stretches are jumped instead of walked: inside one
// binade the rounding grid is fixed, and once two successive steps there have
// added the same amount, every further step that stays in the binade adds it too.
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

    // Takes up to limit steps, stopping at the first value for which reached(value)
    // holds (reached must stay true once it is true along the walk). Returns the
    // number of steps taken; a value that no step can change counts as taking them all.
    // target, where reached is expected to turn true, only speeds up the search.
    template <class Reached>
    uint64_t advanceUntil(uint64_t limit, Reached reached, double target = NAN) {
        uint64_t taken = 0;
        while (taken < limit && !reached(value_)) {
            const float next = value_ + step_;
            if (next == value_) return limit;
            // Steps 1 + i for i in 0..run land on next + i * increment, all exact in double.
            const uint64_t run = std::min(steadySteps(next), limit - taken - 1);
            const double base = next, increment = double(next) - double(value_);
            auto at = [&](uint64_t i) { return float(base + double(i) * increment); };
            const uint64_t first = reached(at(run))
                ? firstHolding(0, run, indexNear((target - base) / increment, run), [&](uint64_t i) { return reached(at(i)); })
                : run;
            value_ = at(first);
            taken += 1 + first;
        }
        return taken;
    }

    void skip(uint64_t count) {
        advanceUntil(count, [](float) { return false; });
    }

    // The values from here on that are exactly start + i * increment, i < count.
    struct Stretch {
        float start, increment;
        uint64_t count;  // at least 1
        float at(uint64_t i) const { return start + float(i) * increment; }
    };
    Stretch stretch() const {
        const float next = value_ + step_;
        if (next == value_) return {value_, 0.0f, UINT64_MAX};  // stalled for good
        const uint64_t steady = steadySteps(next);
        // Inside one binade the difference of two values is exact in float too.
        return steady ? Stretch{value_, next - value_, steady + 2} : Stretch{value_, 0.0f, 1};
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
    // How many steps after next (the value one step on) keep adding next - value_;
    // 0 when that is not certain.
    uint64_t steadySteps(float next) const {
        const float after = next + step_;
        const uint32_t v = std::bit_cast<uint32_t>(value_), n = std::bit_cast<uint32_t>(next),
                       a = std::bit_cast<uint32_t>(after);
        // One sign and one binade for all three, a binade of normal numbers: there
        // the rounding grid is fixed and the encodings count its steps (ulps).
        const uint32_t binade = (n >> 23) & 0xff;
        if ((v ^ n) >> 23 || (n ^ a) >> 23 || binade == 0 || binade == 0xff) return 0;
        const int64_t change = int64_t(n) - int64_t(v);
        if (int64_t(a) - int64_t(n) != change) return 0;
        // Every exact sum of a jumped step must stay in the binade too, so that it
        // rounds on the same grid. In ulps: the binade spans [0, 2^23) above its low end.
        const double toUlps = std::bit_cast<double>(uint64_t(1023 + 150 - binade) << 52);
        const double offset = n & 0x7fffff, stepUlps = std::fabs(step_) * toUlps;
        const double room = change > 0 ? (8388608.0 - offset - stepUlps) / double(change)
                                       : (offset - stepUlps) / double(-change);
        // One step short of the room, so rounding in the division never overshoots.
        return room >= 2 ? uint64_t(room) - 1 : 0;
    }

    float value_, step_;
};

}  // namespace zorblit::draw
