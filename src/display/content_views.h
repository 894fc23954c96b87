// The content view of each presentation mode: created with the window, fed by
// FlipScreen, redrawn at the end of each event pump, released at shutdown.
#pragma once

namespace zorblit {

// Installs the content view of gfxDeviceMode in the new window; failures are fatal.
void installContentView();
// FlipScreen's part: marks the image view, or copies and swaps in the OpenGL modes.
void presentFrame();
// The display pass of the event pump: the image view redraws when marked, the
// texture view at most 60 times a second.
void redrawViews();
// Releases the OpenGL view (first step of shutdown).
void releaseGLViewIfAny();
// Releases the image and texture views that exist, whatever gfxDeviceMode says now.
void releaseModeViews();

}  // namespace zorblit
