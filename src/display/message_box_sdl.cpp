#include <SDL.h>

#include "display/message_box.h"

namespace zorblit {
bool showPlatformMessageBox(const char *title, const char *body) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, body, nullptr) == 0;
}
}  // namespace zorblit
