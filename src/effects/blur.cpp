// Exported blur, in the built form.
#include "effects/blur.h"

void BlurImage(GFXimage image) { zorblit::blurImage<zorblit::BuiltForm>(image); }
