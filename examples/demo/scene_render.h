// Draws one frame of a scene with the title strip on top.
#pragma once

#include "scene.h"

namespace demo {

// Virtual-screen size the scenes are laid out for.
constexpr uint32_t kScreenWidth = 512;
constexpr uint32_t kScreenHeight = 384;

void renderScene(size_t index, const SceneFrame &frame);

}  // namespace demo
