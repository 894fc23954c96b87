#include "loaded_images.h"

#include <cstdio>

#include "asset_files.h"

namespace demo {
namespace {

void read(bool (*reader)(GFXimage *, const char *), GFXimage &image, const std::string &dir, const char *name) {
    const std::string path = dir + "/" + name;
    if (!reader(&image, path.c_str())) std::fprintf(stderr, "zorblit-demo: could not read %s\n", path.c_str());
}

}  // namespace

LoadedImages loadImages(const std::string &dir) {
    LoadedImages images;
    read(pngLoad, images.png, dir, assets::kPng);
    read(jpegLoad, images.jpeg, dir, assets::kJpeg);
    read(bmpLoad, images.bmp, dir, assets::kBmp);
    read(pcxLoad, images.pcx, dir, assets::kPcx);
    read(imLoad, images.im, dir, assets::kIm);
    return images;
}

void freeImages(LoadedImages &images) {
    for (GFXimage *image : {&images.png, &images.jpeg, &images.bmp, &images.pcx, &images.im}) FreeImage(image);
}

}  // namespace demo
