// Echoes the text doReadKey returns under the current keyboard layout; Tab
// switches between the US and German layouts, Backspace takes a character back.
// Below, one square per key number lights while that key is down.
#include <cstdio>
#include <string>
#include <vector>

#include "artwork.h"
#include "keys.h"
#include "scene.h"

namespace demo {
namespace {

constexpr size_t kLineLength = 60;
constexpr size_t kMaxLines = 6;

// False for the continuation bytes of a UTF-8 sequence: one character each.
bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

const char *layoutName() {
    switch (keyboardlayout) {
    case 0: return "US (0)";
    case 1: return "GERMAN (1)";
    default: return "OTHER";
    }
}

void eraseLastCharacter(std::string &text) {
    while (!text.empty()) {
        const bool first = startsCharacter(text.back());
        text.pop_back();
        if (first) return;
    }
}

// Lines of at most kLineLength characters (a UTF-8 sequence is one character).
std::vector<std::string> wrap(const std::string &text) {
    std::vector<std::string> lines(1);
    size_t characters = 0;
    for (char c : text) {
        if (startsCharacter(c) && characters++ == kLineLength) {
            lines.emplace_back();
            characters = 1;
        }
        lines.back() += c;
    }
    return lines;
}

void drawTypedText(GFXimage screen, const std::string &text, int top) {
    const std::vector<std::string> lines = wrap(text);
    const size_t first = lines.size() > kMaxLines ? lines.size() - kMaxLines : 0;
    int y = top;
    for (size_t i = first; i < lines.size(); ++i, y += 14)
        DrawTextClip(screen, 12, y, lines[i].c_str(), RGBA(255, 255, 255, 255));
    uint32_t width;
    GetTextSize(lines.back().c_str(), &width, nullptr);
    DrawTextClip(screen, 12 + int(width), y - 14, "_", RGBA(255, 200, 80, 255));
}

void drawKeyGrid(GFXimage screen, int top) {
    constexpr int kPerRow = 13, kWidth = 36, kHeight = 17;
    for (int k = 1; k <= 104; ++k) {
        const int x = 12 + ((k - 1) % kPerRow) * (kWidth + 2), y = top + ((k - 1) / kPerRow) * (kHeight + 2);
        const GFXcolor colour = keyboard[k] ? RGBA(255, 200, 80, 255) : RGBA(50, 50, 70, 255);
        DrawBar(screen, uint32_t(x), uint32_t(y), uint32_t(x + kWidth - 1), uint32_t(y + kHeight - 1), colour);
        char number[4];
        std::snprintf(number, sizeof number, "%d", k);
        DrawTextClip(screen, x + 2, y + 5, number, RGBA(0, 0, 0, 255));
    }
}

}  // namespace

void drawKeyboard(const SceneFrame &f) {
    static std::string typed;
    static KeyEdges edges;
    edges.update();
    if (edges.pressed(key::kTab)) keyboardlayout = keyboardlayout == 1 ? 0 : 1;
    if (edges.pressed(key::kBackspace)) eraseLastCharacter(typed);
    typed += doReadKey();

    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(16, 20, 36, 255));
    char status[64];
    std::snprintf(status, sizeof status, "LAYOUT %s  TAB SWITCHES   LAST KEY NUMBER %u", layoutName(), key_code);
    DrawTextClip(f.screen, 12, kTitleHeight + 8, status, RGBA(160, 200, 255, 255));
    drawTypedText(f.screen, typed, kTitleHeight + 30);
    drawKeyGrid(f.screen, int(f.screen.height) - 8 * 19 - 8);
}

}  // namespace demo
