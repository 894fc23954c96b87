// Exported inversion and combinations of whole images, in the built form.
#include "effects/combine.h"

using namespace zorblit;

void InvertImageColors(GFXimage image) { invertImage<BuiltForm>(image); }
void AverageImage(GFXimage dest, GFXimage a, GFXimage b) { combineImages<BuiltForm, AverageCombination>(dest, a, b); }
void SaturatedImageAdd(GFXimage dest, GFXimage a, GFXimage b) { combineImages<BuiltForm, AddCombination>(dest, a, b); }
void SaturatedImageSub(GFXimage dest, GFXimage a, GFXimage b) { combineImages<BuiltForm, SubCombination>(dest, a, b); }
void AlphaImage(GFXimage dest, GFXimage a, GFXimage b, uint8_t value) { alphaImage<BuiltForm>(dest, a, b, value); }
