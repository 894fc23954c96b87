// Where a rotated pixel samples its source, in each form's float arithmetic.
#pragma once

namespace zorblit {

// Sine and cosine of the angle + 90 degrees (inverseTurn in rotate.h).
struct InverseTurn {
    float sine, cosine;
};

// The source point of a pixel at (fx, fy) from the centre, in float, before
// rounding. The forms sum the same terms in a different order.
// Value is a float, or a vector of floats that takes the same operations lane by
// lane; the Into forms take vectors by reference, so that code built for wider
// registers than the baseline's can use them.
template <class Form, class Value>
void sampleXInto(Value &x, const Value &fx, const Value &fy, InverseTurn t, float cx) {
    if constexpr (Form::packed)
        x = fx * t.sine - fy * t.cosine + cx;
    else
        x = (cx + fx * t.sine) - fy * t.cosine;
}
template <class Form, class Value>
void sampleYInto(Value &y, const Value &fx, const Value &fy, InverseTurn t, float cy) {
    if constexpr (Form::packed)
        y = fx * t.cosine + fy * t.sine + cy;
    else
        y = (cy + fx * t.cosine) + fy * t.sine;
}
template <class Form, class Value>
Value sampleX(Value fx, Value fy, InverseTurn t, float cx) {
    Value x;
    sampleXInto<Form>(x, fx, fy, t, cx);
    return x;
}
template <class Form, class Value>
Value sampleY(Value fx, Value fy, InverseTurn t, float cy) {
    Value y;
    sampleYInto<Form>(y, fx, fy, t, cy);
    return y;
}

}  // namespace zorblit
