// The OpenGL 1.1 entry points the OpenGL view uses, loaded at run time so the
// library has no link-time OpenGL dependency.
#pragma once
#include <cstdint>

namespace zorblit {

namespace gl {
constexpr uint32_t kColorBufferBit = 0x4000;
constexpr uint32_t kModelView = 0x1700;
constexpr uint32_t kProjection = 0x1701;
constexpr uint32_t kBGRA = 0x80E1;
constexpr uint32_t kUnsignedByte = 0x1401;
}  // namespace gl

struct GLApi {
    void (*ClearColor)(float red, float green, float blue, float alpha) = nullptr;
    void (*Clear)(uint32_t mask) = nullptr;
    void (*MatrixMode)(uint32_t mode) = nullptr;
    void (*LoadIdentity)() = nullptr;
    void (*Viewport)(int32_t x, int32_t y, int32_t width, int32_t height) = nullptr;
    void (*Ortho)(double left, double right, double bottom, double top, double zNear, double zFar) = nullptr;
    void (*RasterPos2i)(int32_t x, int32_t y) = nullptr;
    void (*PixelZoom)(float x, float y) = nullptr;
    void (*DrawPixels)(int32_t width, int32_t height, uint32_t format, uint32_t type, const void *pixels) = nullptr;
};

}  // namespace zorblit
