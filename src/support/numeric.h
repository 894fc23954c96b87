// Small numeric services: the FPS text and the arctangent used by rotation.
#pragma once
#include <string>

namespace zorblit {
// Fixed point, two decimals, right-aligned in at least 4 characters.
std::string floatToText(float value);
}
