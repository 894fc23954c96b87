// Left: a fan of lines, circles, discs and triangles. Right: the same kinds of
// shapes moving across the edges of a framed panel, which is the clip rectangle
// of its own image, so the clipped routines cut them off at the frame.
#include <algorithm>
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

GFXcolor rainbow(float phase) {
    uint8_t r, g, b;
    HSV2RGB(uint8_t(phase * 255.0f), 200, 255, &r, &g, &b);
    return RGBA(r, g, b, 255);
}

void drawUnclippedShapes(GFXimage screen, const Rect &area, uint32_t frame) {
    const uint32_t cx = uint32_t(area.x + area.width / 2), cy = uint32_t(area.y + area.height / 2);
    const float radius = float(std::min(area.width, area.height)) / 2.0f - 4.0f;
    constexpr int kSpokes = 48;
    for (int i = 0; i < kSpokes; ++i) {
        const float angle = float(i) * 6.2831853f / kSpokes + float(frame) * 0.01f;
        DrawLine(screen, cx, cy, uint32_t(float(cx) + radius * std::cos(angle)),
                 uint32_t(float(cy) + radius * std::sin(angle)), rainbow(float(i) / kSpokes));
    }
    for (uint32_t r = 20; r < uint32_t(radius); r += 20) DrawCircle(screen, cx, cy, r, RGBA(255, 255, 255, 255));
    DrawFilledCircle(screen, cx, cy, 12, RGBA(255, 220, 60, 255));
    const uint32_t bottom = uint32_t(area.y + area.height - 4);
    DrawFilledTriangle(screen, uint32_t(area.x + 4), bottom, uint32_t(area.x + 44), bottom, uint32_t(area.x + 24),
                       bottom - 36, RGBA(80, 220, 120, 255));
    DrawRectangle(screen, uint32_t(area.x), uint32_t(area.y), uint32_t(area.x + area.width - 1),
                  uint32_t(area.y + area.height - 1), RGBA(120, 120, 160, 255));
}

void drawClippedShapes(GFXimage panel, uint32_t frame) {
    const int w = int(panel.width), h = int(panel.height);
    const float t = float(frame) * 0.02f;
    FastFill(panel.data, panel.width * panel.height, RGBA(20, 24, 48, 255));
    setClipRectangle(0, 0, w, h);
    const int cx = int(float(w) * (0.5f + 0.7f * std::sin(t))), cy = int(float(h) * (0.5f + 0.6f * std::cos(t * 1.3f)));
    DrawFilledCircleClip(panel, cx, cy, 50, RGBA(230, 80, 60, 255));
    DrawCircleClip(panel, w - cx, h - cy, 70, RGBA(255, 255, 255, 255));
    DrawFilledTriangleClip(panel, -40 + cy, 20, w + 30, cx, cx / 2, h + 40, RGBA(60, 160, 240, 255));
    for (int i = 0; i < 12; ++i)
        DrawLineClip(panel, -50, i * 30 - cx / 3, w + 50, h - i * 30 + cy / 3, rainbow(float(i) / 12.0f));
    DrawBarClip(panel, cx - 140, h - 30, cx - 60, h + 30, RGBA(250, 220, 60, 255));
    DrawRectangleClip(panel, w - cx - 30, cy - 100, w - cx + 90, cy + 10, RGBA(160, 255, 160, 255));
    DrawHLineClip(panel, -100, w + 100, cy, RGBA(255, 0, 255, 255));
    DrawVLineClip(panel, -100, h + 100, cx, RGBA(0, 255, 255, 255));
}

}  // namespace

void drawPrimitives(const SceneFrame &f) {
    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(10, 10, 20, 255));
    drawUnclippedShapes(f.screen, gridCell(f.screen, 0, 2, 1), f.frame);

    const Rect frame = gridCell(f.screen, 1, 2, 1);
    static OwnedImage panel(uint32_t(frame.width - 40), uint32_t(frame.height - 60));
    drawClippedShapes(panel, f.frame);
    setClipRectangle(0, 0, int32_t(f.screen.width), int32_t(f.screen.height));
    const int px = frame.x + 20, py = frame.y + 20;
    putImage(f.screen, px, py, panel);
    DrawRectangle(f.screen, uint32_t(px - 1), uint32_t(py - 1), uint32_t(px + int(panel.get().width)),
                  uint32_t(py + int(panel.get().height)), RGBA(255, 255, 0, 255));
    drawLabel(f.screen, frame, "CLIP RECTANGLE");
}

}  // namespace demo
