// Exported sine plasma, in the built form.
#include "effects/sine_plasma.h"

void SinePlasmaImage(GFXimage image, float dx, float dy, float brightness) {
    zorblit::sinePlasma<zorblit::BuiltForm>(image, dx, dy, brightness);
}
