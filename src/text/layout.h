// Where each character of a text goes: one glyph cell per character, left to
// right, and a new line for each '\n'.
#pragma once
#include <cstdint>

#include "text/font.h"
#include "text/utf8.h"

namespace zorblit::text {

// Calls visit(glyph index, column, line) for every character of text, in cells
// counted from 0; returns the number of lines (newlines + 1).
template <class Visit>
int64_t layOut(const char *text, Visit &&visit) {
    int64_t column = 0, line = 0;
    while (*text != '\0') {
        if (*text == '\n') {
            ++text, ++line, column = 0;
            continue;
        }
        visit(glyphIndex(nextCodePoint(text)), column++, line);
    }
    return line + 1;
}

}  // namespace zorblit::text
