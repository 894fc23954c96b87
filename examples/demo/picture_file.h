// Saving pictures: half-size reduction and PNG output (through libpng).
#pragma once

#include <zorblit.h>

namespace demo {

// Each pixel of target (half the source's size) is the mean of a 2x2 block of
// source; alpha becomes 255.
void shrinkToHalf(GFXimage source, GFXimage target);

// Writes the picture as an RGB PNG (alpha is left out). False if it cannot.
bool writePng(const char *path, GFXimage image);

}  // namespace demo
