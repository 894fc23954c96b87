// zorblit-gallery: renders one picture per family of routines (blits, primitives,
// transforms, effects, colour models, readers) with the demo's scenes and writes
// them as 256x192 PNG files into the directory given as the argument.
//
//   zorblit-gallery docs/gallery
#include <cstdio>
#include <string>

#include "artwork.h"
#include "loaded_images.h"
#include "half_size.h"
#include "scene_render.h"

namespace {

struct Picture {
    void (*scene)(const demo::SceneFrame &);
    uint32_t frames;  // the picture is the last of this many frames
    const char *file;
};

constexpr Picture kPictures[] = {
    {demo::drawSpriteModes, 70, "blits.png"},
    {demo::drawPrimitives, 100, "primitives.png"},
    {demo::drawRotation, 40, "transforms.png"},
    {demo::drawPlasmas, 90, "effects.png"},
    {demo::drawColourModels, 60, "colour_models.png"},
    {demo::drawReaders, 1, "readers.png"},
};

size_t sceneIndex(void (*scene)(const demo::SceneFrame &)) {
    const auto scenes = demo::allScenes();
    for (size_t i = 0; i < scenes.size(); ++i)
        if (scenes[i].draw == scene) return i;
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    demo::LoadedImages images = demo::loadImages(ZORBLIT_DEMO_ASSET_DIR);
    demo::OwnedImage screen(demo::kScreenWidth, demo::kScreenHeight);
    demo::OwnedImage picture(demo::kScreenWidth / 2, demo::kScreenHeight / 2);
    bool ok = true;
    for (const Picture &p : kPictures) {
        for (uint32_t frame = 0; frame < p.frames; ++frame)
            demo::renderScene(sceneIndex(p.scene), {screen, frame, images});
        demo::shrinkToHalf(screen, picture);
        const std::string path = std::string(argv[1]) + "/" + p.file;
        if (pngSave(picture, path.c_str())) {
            std::printf("%s\n", path.c_str());
        } else {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            ok = false;
        }
    }
    demo::freeImages(images);
    return ok ? 0 : 1;
}
