// One text as the drawing sees it: its bytes, the chosen glyph index and the
// measures that both passes share.
#pragma once

#include <cstdint>

#include "softblit/font/font.h"
#include "softblit/font/font_type.h"

constexpr float kTabWidth = 47.0f;
constexpr uint8_t kLineFeed = 10, kTab = 9, kBlank = 32, kBar = 124, kUnderscore = 95;

struct S_TextRun {
    const uint8_t* bytes;
    uint32_t length;
    C_Font* font;
    uint32_t glyphIndex;  // g: the glyph used for every character
    float size;           // S
    float lineHeight;     // L = S / 2 + S + 1
    float scale;          // S / size of the reference glyph
};

// Chooses the glyph index from the reference character's face: the glyph of
// the font type's style and render mode whose size is closest to S (size 0
// never qualifies; the first wins a tie). False when there is nothing to draw.
bool TextRun_Begin(S_TextRun& run, const uint8_t* bytes, uint32_t length, C_Font* font, const C_FontType& type);

// Glyph g of the character's face, or null: codes 9 and 10, characters
// without a face and faces with fewer than g + 1 glyphs take no room.
const C_BitmapGlyph* TextRun_Glyph(const S_TextRun& run, uint8_t c);

// Width of the line that starts at byte `start`: the largest pen end of its
// glyphs, the pen starting at 0 (tabs move it, advances may be negative).
float TextRun_LineWidth(const S_TextRun& run, uint32_t start);

struct S_TextMeasure {
    float widest;       // largest line width
    float height;       // lines x L
    float lastAdvance;  // scaled advance of the last glyph measured
};
S_TextMeasure TextRun_Measure(const S_TextRun& run);
