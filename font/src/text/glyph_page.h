// Whether a glyph's bitmap can be drawn: which page surface holds it.
#pragma once

#include "softblit/font/bitmap_glyph.h"
#include "softblit/font/font.h"

// The glyph's page when the blit engine would read an 8-bit alpha plane from
// it (the plane's display copy while the display draws) that holds the whole
// frame: 0 <= left < right <= width and 0 <= top < bottom <= height. Null
// otherwise: such a glyph still advances the pen but is never blitted.
C_Surface* GlyphPage_Drawable(const C_Font& font, const C_BitmapGlyph& glyph);
