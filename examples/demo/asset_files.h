// The names of the picture files the build generates for the demo, one per reader.
#pragma once

namespace demo::assets {
constexpr const char *kPng = "picture.png";
constexpr const char *kJpeg = "picture.jpg";
constexpr const char *kBmp = "picture.bmp";
constexpr const char *kPcx = "picture.pcx";
constexpr const char *kIm = "picture.im";
constexpr const char *kGif = "animation.gif";
constexpr const char *kTga = "picture.tga";
constexpr const char *kQoi = "picture.qoi";
}  // namespace demo::assets
