// Half-size copies of pictures, for contact sheets and the gallery.
#pragma once

#include <zorblit.h>

namespace demo {

// Each pixel of target (half the source's size) is the mean of a 2x2 block of
// source; alpha becomes 255.
void shrinkToHalf(GFXimage source, GFXimage target);

}  // namespace demo
