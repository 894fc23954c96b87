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
    // Biased exponent: magnitudes with the same one share a rounding grid.
    static int binade(float value) { return int((std::bit_cast<uint32_t>(value) >> 23) & 0xff); }
    // 2^(binade - 127), the smallest magnitude of that binade.
    static double binadeLow(int binade) { return std::bit_cast<double>(uint64_t(binade - 127 + 1023) << 52); }

    // How many steps after next (the value one step on) keep adding next - value_;
    // 0 when that is not certain.
    uint64_t steadySteps(float next) const {
        const float after = next + step_;
        if (!std::isnormal(value_) || !std::isnormal(next) || !std::isnormal(after)) return 0;
        if (double(after) - double(next) != double(next) - double(value_)) return 0;
        const int e = binade(next);
        if (binade(value_) != e || binade(after) != e || std::signbit(value_) != std::signbit(after)) return 0;
        // Magnitudes in this binade lie in [low, high); every exact sum of a jumped
        // step must too, so that it rounds on the same grid.
        const double low = binadeLow(e), high = 2 * low;
        const double magnitude = std::fabs(next), change = std::fabs(double(next) - double(value_));
        const double stepSize = std::fabs(double(step_));
        const bool growing = std::signbit(step_) == std::signbit(next);
        const double room = growing ? (high - magnitude - stepSize) / change : (magnitude - stepSize - low) / change;
        // One step short of the room, so rounding in the division never overshoots.
        return room >= 2 ? uint64_t(room) - 1 : 0;
    }

    float value_, step_;
};

}  // namespace zorblit::draw
