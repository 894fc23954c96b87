#include "loaded_images.h"

#include <cstdio>

#include "asset_files.h"

namespace demo {
namespace {

void read(bool (*reader)(GFXimage *, const char *), GFXimage &image, const std::string &dir, const char *name) {
    const std::string path = dir + "/" + name;
    if (!reader(&image, path.c_str()))
        std::fprintf(stderr, "zorblit-demo: could not read %s: %s\n", path.c_str(), LoadFailureReason());
}

}  // namespace

LoadedImages loadImages(const std::string &dir) {
    LoadedImages images;
    read(pngLoad, images.png, dir, assets::kPng);
    read(jpegLoad, images.jpeg, dir, assets::kJpeg);
    read(bmpLoad, images.bmp, dir, assets::kBmp);
    read(pcxLoad, images.pcx, dir, assets::kPcx);
    read(imLoad, images.im, dir, assets::kIm);
    // TGA and QOI through the any-format reader.
    read(imageLoad, images.tga, dir, assets::kTga);
    read(imageLoad, images.qoi, dir, assets::kQoi);
    const std::string gif = dir + "/" + assets::kGif;
    if (!gifLoadFrames(gif.c_str(), &images.gifFrames, &images.gifDelays, &images.gifCount))
        std::fprintf(stderr, "zorblit-demo: could not read %s: %s\n", gif.c_str(), LoadFailureReason());
    return images;
}

void freeImages(LoadedImages &images) {
    for (GFXimage *image : {&images.png, &images.jpeg, &images.bmp, &images.pcx, &images.im, &images.tga, &images.qoi})
        FreeImage(image);
    gifFreeFrames(images.gifFrames, images.gifDelays, images.gifCount);
    images.gifFrames = nullptr, images.gifDelays = nullptr, images.gifCount = 0;
}

}  // namespace demo
