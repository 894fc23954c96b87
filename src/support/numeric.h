// The frame-rate text: fixed point with two decimals.
#pragma once
#include <string>

namespace zorblit {
// Fixed point, two decimals, right-aligned in at least 4 characters.
std::string floatToText(float value);
}
