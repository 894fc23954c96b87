// zorblit-demo: a tour of the library, one scene per family of routines.
//
//   zorblit-demo [--windowless] [--frames N] [--sheet FILE] [--assets DIR]
//
// With a display it opens a window (arrow keys change scene, Escape quits).
// Without one (DISPLAY unset), or with --windowless, it runs every scene for N
// frames (default 40) with no window and writes a contact sheet to FILE
// (default zorblit-demo-sheet.png).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "contact_sheet_run.h"
#include "loaded_images.h"
#include "windowed_run.h"

namespace {

struct Options {
    bool windowless = false;
    uint32_t frames = 40;
    std::string sheet = "zorblit-demo-sheet.png";
    std::string assets = ZORBLIT_DEMO_ASSET_DIR;
};

bool hasDisplay() {
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

bool parse(int argc, char **argv, Options &options) {
    options.windowless = !hasDisplay();
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--windowless"))
            options.windowless = true;
        else if (!std::strcmp(argv[i], "--frames") && hasValue)
            options.frames = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (!std::strcmp(argv[i], "--sheet") && hasValue)
            options.sheet = argv[++i];
        else if (!std::strcmp(argv[i], "--assets") && hasValue)
            options.assets = argv[++i];
        else
            return false;
    }
    return options.frames > 0;
}

}  // namespace

int main(int argc, char **argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--windowless] [--frames N] [--sheet FILE] [--assets DIR]\n", argv[0]);
        return 2;
    }
    demo::LoadedImages images = demo::loadImages(options.assets);
    bool ok = true;
    if (options.windowless) {
        std::printf("running the scenes without a window, %u frames each\n", options.frames);
        ok = demo::runContactSheet(images, options.frames, options.sheet);
        if (ok)
            std::printf("contact sheet written to %s\n", std::filesystem::absolute(options.sheet).c_str());
        else
            std::fprintf(stderr, "could not write %s\n", options.sheet.c_str());
    } else {
        std::printf("arrow keys: scene   F: full screen   1/3/0: image, OpenGL, GPU texture mode   Escape: quit\n");
        demo::runWindowed(images);
    }
    demo::freeImages(images);
    return ok ? 0 : 1;
}
