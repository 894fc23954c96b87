#include "platform_fake.h"

namespace zorblit {
namespace {

// OpenGL entry points that draw nothing (one lambda converts to each pointer
// type); each frame's pixel copy is counted.
constexpr auto kNothing = [](auto...) {};
const GLApi kCountingGL{kNothing, kNothing, kNothing, kNothing, kNothing, kNothing, kNothing, kNothing,
    [](int32_t, int32_t, uint32_t, uint32_t, const void *) { ++static_cast<FakePlatform &>(platform()).glFrames; }};

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
