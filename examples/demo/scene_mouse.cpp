// The pointer as a cross, the buttons as three lamps, a mark for every click
// (left: filled, right: ring, double: large ring) that fades away, and a circle
// round the pointer whose size follows the wheel.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

enum class ClickKind { Left, Right, Double };

struct ClickMark {
    int x, y;
    ClickKind kind;
    int age = 0;
};

constexpr int kMarkLifetime = 120;  // frames

void drawMark(GFXimage screen, const ClickMark &mark) {
    const auto fade = uint8_t(255 - mark.age * 255 / kMarkLifetime);
    switch (mark.kind) {
    case ClickKind::Left: DrawFilledCircleClip(screen, mark.x, mark.y, 6, RGBA(fade, uint8_t(fade / 2), 0, 255)); break;
    case ClickKind::Right: DrawCircleClip(screen, mark.x, mark.y, 8, RGBA(0, fade, fade, 255)); break;
    case ClickKind::Double:
        DrawCircleClip(screen, mark.x, mark.y, uint32_t(20 + mark.age / 2), RGBA(fade, fade, fade, 255));
        break;
    }
}

void drawLamp(GFXimage screen, int x, const char *name, bool on) {
    const int y = int(screen.height) - 30;
    DrawBar(screen, uint32_t(x), uint32_t(y), uint32_t(x + 40), uint32_t(y + 20),
            on ? RGBA(255, 200, 80, 255) : RGBA(50, 50, 70, 255));
    DrawTextClip(screen, x + 17, y + 6, name, RGBA(0, 0, 0, 255));
}

}  // namespace

void drawMouse(const SceneFrame &f) {
    static std::vector<ClickMark> marks;
    static int wheelRadius = 30;
    if (mouseLclick()) marks.push_back({mouseX, mouseY, ClickKind::Left});
    if (mouseRclick()) marks.push_back({mouseX, mouseY, ClickKind::Right});
    if (mouseLDoubleClick()) marks.push_back({mouseX, mouseY, ClickKind::Double});
    wheelRadius = std::clamp(wheelRadius + mouseWheel * 4, 4, 200);
    for (ClickMark &mark : marks) ++mark.age;
    std::erase_if(marks, [](const ClickMark &mark) { return mark.age >= kMarkLifetime; });

    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(16, 20, 36, 255));
    for (const ClickMark &mark : marks) drawMark(f.screen, mark);
    DrawCircleClip(f.screen, mouseX, mouseY, uint32_t(wheelRadius), RGBA(120, 160, 255, 255));
    DrawHLineClip(f.screen, mouseX - 10, mouseX + 10, mouseY, RGBA(255, 255, 255, 255));
    DrawVLineClip(f.screen, mouseY - 10, mouseY + 10, mouseX, RGBA(255, 255, 255, 255));

    char status[64];
    std::snprintf(status, sizeof status, "X %d  Y %d  WHEEL %d  RADIUS %d", mouseX, mouseY, mouseWheel, wheelRadius);
    DrawTextClip(f.screen, 12, kTitleHeight + 8, status, RGBA(160, 200, 255, 255));
    drawLamp(f.screen, 12, "L", mouseL);
    drawLamp(f.screen, 60, "M", mouseM);
    drawLamp(f.screen, 108, "R", mouseR);
}

}  // namespace demo
