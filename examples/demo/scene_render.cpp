#include "scene_render.h"

#include <cstdio>

#include "artwork.h"

namespace demo {

void renderScene(size_t index, const SceneFrame &frame) {
    const auto scenes = allScenes();
    setClipRectangle(0, 0, int32_t(frame.screen.width), int32_t(frame.screen.height));
    gfxFontHeight = 8;
    scenes[index].draw(frame);
    DrawBar(frame.screen, 0, 0, frame.screen.width - 1, kTitleHeight - 1, RGBA(0, 0, 0, 255));
    char title[64];
    std::snprintf(title, sizeof title, "%zu/%zu %s", index + 1, scenes.size(), scenes[index].title);
    gfxFontHeight = 16;
    DrawTextClip(frame.screen, 4, 0, title, RGBA(255, 220, 120, 255));
}

}  // namespace demo
