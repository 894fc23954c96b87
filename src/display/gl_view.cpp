#include "display/gl_view.h"

#include <cmath>

#include "display/platform.h"
#include "zorblit.h"

namespace zorblit {

void computePixelSize(uint32_t width, uint32_t height) {
    Platform &p = platform();
    const PlatformPoint drawable = p.glDrawableSize();
    const double scale = p.backingScale();
    double x = drawable.x / width;
    double y = drawable.y / height;
    if (std::nearbyint(scale) != 1) {
        x /= scale;
        y /= scale;
    }
    gfxPixelSizeX = float(x);
    gfxPixelSizeY = float(y);
}

void setUpPixelDrawing(uint32_t width, uint32_t height) {
    const GLApi &gl = platform().gl();
    gl.ClearColor(0, 0, 0, 1);
    gl.Clear(gl::kColorBufferBit);
    gl.MatrixMode(gl::kProjection);
    gl.LoadIdentity();
    gl.Viewport(0, 0, int32_t(std::nearbyint(float(width) * gfxPixelSizeX)),
                int32_t(std::nearbyint(float(height) * gfxPixelSizeY)));
    gl.Ortho(0, double(width) - 1, 0, double(height) - 1, -1, 1);
    gl.RasterPos2i(0, int32_t(height) - 1);
    gl.MatrixMode(gl::kModelView);
    gl.LoadIdentity();
}

}  // namespace zorblit
