// The exported lifecycle: initialisation in every mode, the per-frame update and
// presentation, and shutdown.
#include "display/content_views.h"
#include "display/display_state.h"
#include "display/event_pump.h"
#include "display/gl_view.h"
#include "display/message_box.h"
#include "display/output_window.h"
#include "input/report_latches.h"
#include "support/diagnostics.h"
#include "timing/fps.h"
#include "timing/frame_pacing.h"
#include "zorblit.h"

namespace zorblit {
namespace {

constexpr const char *kCaption = "zorblit 4.0.8e output window";

// From load on, the library's messages show in the platform's message box.
const bool messageBoxInstalled = (setMessageBoxHandler(showPlatformMessageBox), true);

void releaseButtons() {
    mouseL = mouseM = mouseR = false;
    mouseWheel = 0;
}

// One system at a time: a second initialisation first shuts the running one
// down, so its window and pixels are not left behind.
void finishIfRunning() {
    if (displayState().running) FinishGFXsystem();
}

void allocateScreen(uint32_t width, uint32_t height) {
    AllocImage(&vscreen, width, height);
    displayState().ownsScreenPixels = true;
}

void startFrameTimer() {
    displayState().running = true;
    StartFPScounter();
    countFrame();
}

}  // namespace
}  // namespace zorblit

using namespace zorblit;

void InitGFXsystem(uint32_t width, uint32_t height, bool fullscreen) {
    finishIfRunning();
    releaseButtons();
    gfxFullScreen = fullscreen;
    gfxDone = false;
    gfxRealScreenWidth = width;
    gfxRealScreenHeight = height;
    if (gfxDeviceMode == mode::kUnset) gfxDeviceMode = mode::kImageView;
    if (gfxDeviceMode == mode::kHostOpenGL) {
        vscreen.width = width;
        vscreen.height = height;
    } else {
        allocateScreen(width, height);
    }
    setClipRectangle(0, 0, int32_t(vscreen.width), int32_t(vscreen.height));
    setUpApplication();
    createOutputWindow(width, height, kCaption, fullscreen);
    if (gfxDeviceMode == mode::kOpenGLPixels) {
        computePixelSize(width, height);
        setUpPixelDrawing(width, height);
        platform().gl().PixelZoom(gfxPixelSizeX, -gfxPixelSizeY);
    }
    if (gfxDeviceMode == mode::kHostOpenGL) computePixelSize(width, height);
    startFrameTimer();
}

void openGLcontext(uint32_t width, uint32_t height, bool fullscreen) {
    gfxDeviceMode = mode::kHostOpenGL;
    InitGFXsystem(width, height, fullscreen);
}

void InitGFXsystemScale(uint32_t width, uint32_t height, uint32_t realWidth, uint32_t realHeight,
                        bool fullscreen) {
    finishIfRunning();
    releaseButtons();
    gfxDeviceMode = mode::kWindowless;
    gfxFullScreen = fullscreen;
    gfxRealScreenWidth = realWidth;
    gfxRealScreenHeight = realHeight;
    allocateScreen(width, height);
    setClipRectangle(0, 0, int32_t(vscreen.width), int32_t(vscreen.height));
    gfxDone = false;
    startFrameTimer();
}

void FlipScreen(void) {
    presentFrame();
    updateTimer();
}

void UpdateInternals(void) {
    pumpEvents();
    clearReleasedClickLatches();
}

void UpdateGFXsystem(void) {
    paceFrame();
    UpdateInternals();
    FlipScreen();
}

void FinishGFXsystem(void) {
    releaseGLViewIfAny();
    Platform &p = platform();
    p.closeWindow();
    pumpEvents();
    p.releaseWindow();
    releaseModeViews();
    DisplayState &s = displayState();
    s.quitTarget = false;
    // Only pixels the library allocated are freed, whatever gfxDeviceMode says now.
    if (s.ownsScreenPixels) FreeImage(&vscreen);
    s.ownsScreenPixels = false;
    s.running = false;
}

void closeGLcontext(void) { FinishGFXsystem(); }
