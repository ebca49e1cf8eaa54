// Bitmap glyphs rasterised from an outline font file (anything FreeType opens).
#pragma once

#include "softblit/core/string.h"
#include "softblit/font/bitmap_glyph.h"
#include "softblit/font/font.h"

// Adds to every face of the font one glyph rendered from `fileName`, with the
// template's size, renderMode and style, each on a page of its own. Sizes are
// points at 96 dpi: the em square is 4/3 x size pixels. No auto-hinting.
// FONT_RENDER_ANTIALIASED pages are L8 images one pixel wider and taller than
// the bitmap (the extra column and row 0, so filtering fades out);
// FONT_RENDER_MONO pages are exactly the bitmap, levels 0 and 255. A character
// the outline font lacks renders its missing-glyph shape; one FreeType cannot
// load or render gets an empty glyph (0 x 0 page).
// False: error 14 for a null font; error 10 for template size 0 or a mode
// other than 4 and 5; error 11 when FreeType cannot start, open the file or
// set the size (a bitmap font without that size); error 3 when memory or the
// surface factory fails. The font is unchanged after every false.
bool Gfx_Font_AddGlyphsFromOutline(const C_String& fileName, const C_BitmapGlyph& glyphTemplate, C_Font* font);
