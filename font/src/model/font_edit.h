// Taking back what a builder added when it fails halfway.
#pragma once

#include <cstdint>

#include "softblit/font/font.h"

// Deletes the last glyph of each of the first `faceCount` faces.
void Font_DropLastGlyphs(C_Font& font, uint32_t faceCount);
// Removes the pages from index `first` on; deletes them when `own` is set.
void Font_DropPagesFrom(C_Font& font, uint32_t first, bool own);
