// Where a rotated pixel samples its source, in each form's float arithmetic.
#pragma once

namespace zorblit {

// Sine and cosine of the angle + 90 degrees (inverseTurn in rotate.h).
struct InverseTurn {
    float sine, cosine;
};

// The source point of a pixel at (fx, fy) from the centre, in float, before
// rounding. The forms sum the same terms in a different order.
// Value is a float, or a vector of floats that takes the same operations lane by lane.
template <class Form, class Value>
Value sampleX(Value fx, Value fy, InverseTurn t, float cx) {
    if constexpr (Form::packed) return fx * t.sine - fy * t.cosine + cx;
    return (cx + fx * t.sine) - fy * t.cosine;
}
template <class Form, class Value>
Value sampleY(Value fx, Value fy, InverseTurn t, float cy) {
    if constexpr (Form::packed) return fx * t.cosine + fy * t.sine + cy;
    return (cy + fx * t.cosine) + fy * t.sine;
}

}  // namespace zorblit
