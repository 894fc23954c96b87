// The OpenGL view's steps that follow window creation.
#pragma once
#include <cstdint>

namespace zorblit {

// gfxPixelSizeX, gfxPixelSizeY from the drawable size and the backing scale.
void computePixelSize(uint32_t width, uint32_t height);
// Projection, viewport and raster position so that a pixel rectangle zoomed by
// (gfxPixelSizeX, -gfxPixelSizeY) fills the view from the top row down.
void setUpPixelDrawing(uint32_t width, uint32_t height);

}  // namespace zorblit
