#include "display/platform.h"

namespace zorblit {

Platform &sdlPlatform();

namespace {
Platform *installed = nullptr;
}

Platform &platform() { return installed ? *installed : sdlPlatform(); }

Platform *setPlatform(Platform *replacement) {
    Platform *previous = installed;
    installed = replacement;
    return previous;
}

bool Platform::defaultHandling(const PlatformEvent &event) {
    switch (event.action) {
    case WindowAction::CloseRequest: return windowShouldClose();
    case WindowAction::Quit: handleQuitRequest(); break;
    case WindowAction::ScreenChanged: screenParametersChanged(); break;
    case WindowAction::Expose:
    case WindowAction::None: break;
    }
    return false;
}

}  // namespace zorblit
