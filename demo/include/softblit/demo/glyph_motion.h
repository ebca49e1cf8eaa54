// The demo's two glyph transforms (installed as glyphTransform around one
// text call each). Both read the frame's time from demoState.
#pragma once

#include "softblit/font/text.h"

// The scroll text's wave: three periods across the screen, growing from
// nothing at the left edge to 40 pixels at the right; each glyph is turned to
// follow the slope. x stays.
const S_GlyphPlacement* Gfx_GlyphWave(const S_GlyphPlacement* placement);
// The warping lines: each glyph moves towards or away from the screen centre
// as if its depth swung between 192 and 320 in a wave running down the screen.
const S_GlyphPlacement* Gfx_GlyphPerspective(const S_GlyphPlacement* placement);
