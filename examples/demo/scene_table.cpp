#include <array>

#include "scene.h"

namespace demo {

std::span<const Scene> allScenes() {
    static constexpr std::array kScenes = {
        Scene{"sprite modes", "sprite modes: copy, colour key, alpha, alpha value, average, add, subtract",
              drawSpriteModes},
        Scene{"primitives", "primitives: lines, circles, filled triangles, clipping", drawPrimitives},
        Scene{"scaling", "scaling in the seven sprite modes", drawScaling},
        Scene{"rotation", "rotation in the seven sprite modes", drawRotation},
        Scene{"roto-zoom", "roto-zoom: repeating and not repeating", drawRotoZoom},
        Scene{"plasma and glow", "sine plasma, subdivision plasma, particle glow", drawPlasmas},
        Scene{"blur and fades", "blur, fades, inversion", drawBlurAndFades},
        Scene{"colour models", "colour models: HSV wheel, CMY and CMYK", drawColourModels},
        Scene{"image readers", "image readers: PNG, JPEG, BMP, PCX, IM", drawReaders},
        Scene{"keyboard", "keyboard: type; Tab switches the layout", drawKeyboard},
        Scene{"mouse", "mouse: click, double-click, wheel", drawMouse},
    };
    return kScenes;
}

}  // namespace demo
