// The 26-byte glyph record, parsed from bytes already read, so that a face
// can read its glyphs in blocks rather than one small read each.
#pragma once

#include <cstdint>

#include "softblit/font/bitmap_glyph.h"

// Fills the glyph from the record. False, reporting the tag as a glyph load
// does, when the record does not start with the glyph tag (glyph unchanged).
bool GlyphRecord_Parse(const uint8_t* record, C_BitmapGlyph& glyph);
