// Float to integer, rounded to nearest with ties to even, as std::llrint gives
// under the default rounding mode, but inline: the library call would cost more
// than the rest of a rotated pixel.
#pragma once
#include <cmath>
#include <cstdint>

namespace zorblit {

// Below 2^23 in magnitude, adding and subtracting 2^23 (with f's sign) leaves f
// rounded to an integer in the float unit itself; from 2^23 on every float is an
// integer already. Valid for |f| < 2^63.
inline int64_t roundToNearest(float f) {
    if (!(std::fabs(f) < 0x1p23f)) return int64_t(f);
    const float magic = std::copysign(0x1p23f, f);
    return int64_t((f + magic) - magic);
}

}  // namespace zorblit
