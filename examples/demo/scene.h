// What every demo scene sees, and the table of scenes the demo cycles through.
#pragma once

#include <cstdint>
#include <span>

#include <zorblit.h>

namespace demo {

// The pictures the readers made from the generated asset files; an image whose
// file could not be read has no pixels.
struct LoadedImages {
    GFXimage png{}, jpeg{}, bmp{}, pcx{}, im{}, tga{}, qoi{};
    GFXimage *gifFrames = nullptr;  // gifLoadFrames's arrays
    uint32_t *gifDelays = nullptr;
    uint32_t gifCount = 0;
};

struct SceneFrame {
    GFXimage screen;  // draw here; the whole picture is redrawn every frame
    uint32_t frame;   // frames since the scene was entered
    const LoadedImages &images;
};

struct Scene {
    const char *title;    // drawn at the top of the picture
    const char *caption;  // the window's caption while the scene runs
    void (*draw)(const SceneFrame &);
};

std::span<const Scene> allScenes();

// Scene drawing routines, one per file.
void drawSpriteModes(const SceneFrame &f);
void drawPrimitives(const SceneFrame &f);
void drawScaling(const SceneFrame &f);
void drawRotation(const SceneFrame &f);
void drawRotoZoom(const SceneFrame &f);
void drawPlasmas(const SceneFrame &f);
void drawBlurAndFades(const SceneFrame &f);
void drawColourModels(const SceneFrame &f);
void drawReaders(const SceneFrame &f);
void drawKeyboard(const SceneFrame &f);
void drawMouse(const SceneFrame &f);

}  // namespace demo
