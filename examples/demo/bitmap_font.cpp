#include "bitmap_font.h"

#include <array>
#include <cstdint>

namespace demo {
namespace {

constexpr int kGlyphWidth = 3;
constexpr int kGlyphHeight = 5;
constexpr int kAdvance = kGlyphWidth + 1;

struct Glyph {
    char character;
    const char *rows;  // 5 rows of 3 cells, top first, separated by spaces; '#' is set
};

constexpr std::array kGlyphs = {
    Glyph{' ', "... ... ... ... ..."}, Glyph{'0', "### #.# #.# #.# ###"}, Glyph{'1', ".#. ##. .#. .#. ###"},
    Glyph{'2', "### ..# ### #.. ###"}, Glyph{'3', "### ..# ### ..# ###"}, Glyph{'4', "#.# #.# ### ..# ..#"},
    Glyph{'5', "### #.. ### ..# ###"}, Glyph{'6', "### #.. ### #.# ###"}, Glyph{'7', "### ..# .#. .#. .#."},
    Glyph{'8', "### #.# ### #.# ###"}, Glyph{'9', "### #.# ### ..# ###"}, Glyph{'A', ".#. #.# ### #.# #.#"},
    Glyph{'B', "##. #.# ##. #.# ##."}, Glyph{'C', ".## #.. #.. #.. .##"}, Glyph{'D', "##. #.# #.# #.# ##."},
    Glyph{'E', "### #.. ### #.. ###"}, Glyph{'F', "### #.. ### #.. #.."}, Glyph{'G', ".## #.. #.# #.# .##"},
    Glyph{'H', "#.# #.# ### #.# #.#"}, Glyph{'I', "### .#. .#. .#. ###"}, Glyph{'J', "..# ..# ..# #.# .#."},
    Glyph{'K', "#.# #.# ##. #.# #.#"}, Glyph{'L', "#.. #.. #.. #.. ###"}, Glyph{'M', "#.# ### ### #.# #.#"},
    Glyph{'N', "##. #.# #.# #.# #.#"}, Glyph{'O', ".#. #.# #.# #.# .#."}, Glyph{'P', "##. #.# ##. #.. #.."},
    Glyph{'Q', ".#. #.# #.# ##. .##"}, Glyph{'R', "##. #.# ##. #.# #.#"}, Glyph{'S', ".## #.. .#. ..# ##."},
    Glyph{'T', "### .#. .#. .#. .#."}, Glyph{'U', "#.# #.# #.# #.# ###"}, Glyph{'V', "#.# #.# #.# #.# .#."},
    Glyph{'W', "#.# #.# ### ### #.#"}, Glyph{'X', "#.# #.# .#. #.# #.#"}, Glyph{'Y', "#.# #.# .#. .#. .#."},
    Glyph{'Z', "### ..# .#. #.. ###"}, Glyph{'.', "... ... ... ... .#."}, Glyph{',', "... ... ... .#. #.."},
    Glyph{':', "... .#. ... .#. ..."}, Glyph{'-', "... ... ### ... ..."}, Glyph{'+', "... .#. ### .#. ..."},
    Glyph{'/', "..# ..# .#. #.. #.."}, Glyph{'!', ".#. .#. .#. ... .#."}, Glyph{'?', "##. ..# .#. ... .#."},
    Glyph{'(', ".#. #.. #.. #.. .#."}, Glyph{')', ".#. ..# ..# ..# .#."}, Glyph{'=', "... ### ... ### ..."},
    Glyph{'_', "... ... ... ... ###"}, Glyph{'\'', ".#. .#. ... ... ..."}, Glyph{'"', "#.# #.# ... ... ..."},
    Glyph{'<', "..# .#. #.. .#. ..#"}, Glyph{'>', "#.. .#. ..# .#. #.."}, Glyph{'*', "... #.# .#. #.# ..."},
    Glyph{'#', "#.# ### #.# ### #.#"}, Glyph{'%', "#.# ..# .#. #.. #.#"},
};
constexpr const char *kUnknown = "### ### ### ### ###";

const char *rowsFor(char c) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    for (const Glyph &glyph : kGlyphs)
        if (glyph.character == c) return glyph.rows;
    return kUnknown;
}

void drawGlyph(GFXimage image, int x, int y, const char *rows, GFXcolor colour, int scale) {
    for (int row = 0; row < kGlyphHeight; ++row)
        for (int column = 0; column < kGlyphWidth; ++column)
            if (rows[row * (kGlyphWidth + 1) + column] == '#')
                DrawBarClip(image, x + column * scale, y + row * scale, x + (column + 1) * scale - 1,
                            y + (row + 1) * scale - 1, colour);
}

}  // namespace

void drawText(GFXimage image, int x, int y, std::string_view text, GFXcolor colour, int scale) {
    for (char c : text) {
        if (!startsCharacter(c)) continue;
        drawGlyph(image, x, y, rowsFor(c), colour, scale);
        x += kAdvance * scale;
    }
}

int textWidth(std::string_view text, int scale) {
    int count = 0;
    for (char c : text) count += startsCharacter(c) ? 1 : 0;
    return count * kAdvance * scale;
}

}  // namespace demo
