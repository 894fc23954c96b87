#include "display/content_views.h"

#include <string>

#include "display/display_state.h"
#include "timing/clock.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// The texture view redraws itself at most this often per second.
constexpr uint64_t kTextureRedrawsPerSecond = 60;

uint64_t textureRedrawSlot() { return nowMilliseconds() * kTextureRedrawsPerSecond / 1000; }

void installTextureView(DisplayState &s) {
    const TextureViewStatus status = platform().installTextureView(vscreen.width, vscreen.height);
    if (!status.ready) {
        const std::string text = status.noAcceleratedRenderer ? "No Metal device" : status.error;
        FatalError(text.c_str());
    }
    s.textureView = true;
    s.textureRedrawSlot = textureRedrawSlot();
    platform().drawTextureView(vscreen.data, vscreen.width, vscreen.height);
}

}  // namespace

void installContentView() {
    DisplayState &s = displayState();
    Platform &p = platform();
    if (gfxDeviceMode == mode::kImageView) {
        p.installImageView(vscreen.data, vscreen.width, vscreen.height, s.windowWidth, s.windowHeight);
        s.imageView = true;
    } else if (gfxDeviceMode == mode::kTextureView) {
        installTextureView(s);
    } else if (isOpenGLMode()) {
        if (!p.installGLView()) FatalError("invalid NSOpenGLContext");
        s.glView = true;
    }
}

void presentFrame() {
    const DisplayState &s = displayState();
    Platform &p = platform();
    if (isOpenGLMode() && s.glView) {
        if (gfxUsingThreads) p.makeGLCurrent();
        if (gfxDeviceMode == mode::kOpenGLPixels)
            p.gl().DrawPixels(int32_t(vscreen.width), int32_t(vscreen.height), gl::kBGRA, gl::kUnsignedByte,
                              vscreen.data);
        p.swapGLBuffers();
    }
    if (gfxDeviceMode == mode::kImageView && s.imageView) p.setNeedsDisplay();
}

void redrawViews() {
    DisplayState &s = displayState();
    Platform &p = platform();
    if (s.imageView) p.displayIfNeeded();
    if (s.textureView) {
        // One redraw per sixtieth of a second of the clock, at the first pump in it.
        const uint64_t slot = textureRedrawSlot();
        if (slot != s.textureRedrawSlot) {
            s.textureRedrawSlot = slot;
            p.drawTextureView(vscreen.data, vscreen.width, vscreen.height);
        }
    }
}

void releaseGLViewIfAny() {
    DisplayState &s = displayState();
    if (!s.glView) return;
    platform().releaseGLView();
    s.glView = false;
}

void releaseModeViews() {
    DisplayState &s = displayState();
    if (s.imageView) {
        platform().releaseImageView();
        s.imageView = false;
    }
    if (s.textureView) {
        platform().releaseTextureView();
        s.textureView = false;
    }
}

}  // namespace zorblit
