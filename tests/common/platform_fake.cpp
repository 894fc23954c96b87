#include "platform_fake.h"

namespace zorblit {
namespace {

// OpenGL entry points that draw nothing; each frame's pixel copy is counted.
const GLApi kCountingGL{
    .ClearColor = [](float, float, float, float) {}, .Clear = [](uint32_t) {}, .MatrixMode = [](uint32_t) {},
    .LoadIdentity = [] {}, .Viewport = [](int32_t, int32_t, int32_t, int32_t) {},
    .Ortho = [](double, double, double, double, double, double) {}, .RasterPos2i = [](int32_t, int32_t) {},
    .PixelZoom = [](float, float) {}, .DrawPixels = [](int32_t, int32_t, uint32_t, uint32_t, const void *) {
        ++static_cast<FakePlatform &>(platform()).glFrames;
    }};

}  // namespace

bool FakePlatform::createWindow(const WindowRequest &request) {
    if (failWindow) return false;
    ++windowsCreated;
    lastRequest = request;
    windowExists = true;
    frame = {0, 0, double(request.width), double(request.height)};
    return true;
}

const GLApi &FakePlatform::gl() { return kCountingGL; }

void FakePlatform::sendEvent(const PlatformEvent &event) {
    sentEvents.push_back(event);
    if (event.action == WindowAction::Expose) needsDisplay = true;
    defaultHandling(event);
}

}  // namespace zorblit
