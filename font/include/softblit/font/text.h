// Drawing text from a bitmap font: one blit per visible glyph, the page's
// alpha as coverage and the text colour as fill.
//
// Text is bytes, read as Latin-1 codes (not UTF-8). Code 10 starts a new line,
// code 9 adds 47 pixels (no tab stops), code 32 takes its advance but is not
// blitted. There is no kerning. The line height is S / 2 + S + 1 for the font
// type's size S. One glyph index is chosen per text from a reference
// character's face (the closest size of the font type's style and render
// mode; the first wins a tie) and used for every character.
#pragma once

#include <cstdint>

#include "softblit/core/string.h"
#include "softblit/font/font.h"
#include "softblit/font/font_type.h"
#include "softblit/math/color.h"
#include "softblit/math/frame.h"
#include "softblit/math/rect.h"
#include "softblit/math/vector2d.h"
#include "softblit/surface/surface.h"

// The placement of one glyph, handed to glyphTransform.
struct S_GlyphPlacement {
    C_Vector2D position;  // where the hotspot lands (destination pixels)
    C_Vector2D spare;     // zero; not read back
    C_Vector2D hotspot;   // the glyph's centre in page pixels
    float angle;          // degrees
};

// Process-wide hook, null by default: called once per drawn glyph; the glyph
// is drawn at the returned record's position and angle. The result is copied
// at once; a null result leaves the placement unchanged.
typedef const S_GlyphPlacement* (*T_GlyphTransform)(const S_GlyphPlacement* placement);
extern T_GlyphTransform glyphTransform;

// Which character's face chooses the glyph index.
enum : uint32_t {
    FONT_REFERENCE_FIRST = 0,           // the first character (the default)
    FONT_REFERENCE_FIRST_ABOVE_32 = 1,  // the first above 32 as a signed byte, else the last
};
// Process-wide; a program sets it once at start-up.
void Gfx_Text_SetReferenceRule(uint32_t rule);
uint32_t Gfx_Text_GetReferenceRule();

enum : uint32_t { FONT_NO_CURSOR = 0xFFFFFF };

// Draws `text` onto destination with its position (anchor byte: low nibble 0
// left, 1 right, 2 centre; high nibble 1 top, 2 bottom, 3 middle; others left
// and top) measured downward from the destination's top-left corner, across
// the whole destination as the drawing area. wrap 1: the text runs around
// horizontally within its own measured width. clip null: the destination.
// False, drawing nothing, for a null text, font or font type, a size that is
// not finite and > 0, an empty text, a reference character without a face or
// with no glyph of the font type's style and render mode (a font type with
// renderMode 0 draws nothing).
bool Gfx_Surface_DrawText(const C_String* text, C_Font* font, const C_FontType* fontType, C_Surface* destination,
                          const C_Color* colour, const C_Vector2D* position, uint8_t wrap, uint32_t spare1 = 0,
                          const C_Frame* clip = nullptr, uint32_t spare2 = 0);

// The same inside `area` (its left and top are the origin, its right and
// bottom end visibility), with position.y measured upward, and a text cursor
// (two columns of the '|' glyph) before character cursorIndex
// (FONT_NO_CURSOR: none). The spare arguments are not read.
bool Gfx_Surface_DrawTextEx(const C_String* text, C_Font* font, const C_FontType* fontType,
                            C_Surface* destination, const C_Color* colour, const C_Rect* area, uint32_t spare1,
                            uint32_t spare2, uint8_t wrap, uint32_t spare3, const C_Vector2D* position,
                            uint32_t spare4, uint32_t cursorIndex, uint32_t spare5, uint32_t spare6,
                            uint32_t spare7, const C_Color* spareColour, const C_Frame* clip, uint32_t spare8,
                            uint32_t spare9, uint32_t spare10, uint32_t spare11);
