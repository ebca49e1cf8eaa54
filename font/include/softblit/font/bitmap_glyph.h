// One rendering of one character: where its bitmap lies in a page of the
// font, and how far it moves the pen.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"
#include "softblit/math/frame.h"
#include "softblit/math/vector2d.h"

enum : uint32_t { FONT_GLYPH_RECORD_BYTES = 26 };

class C_BitmapGlyph : public C_Object {
public:
    uint16_t size;        // size the glyph was made at
    uint8_t renderMode;   // FONT_RENDER_*
    uint8_t style;        // FONT_STYLE_*
    int32_t pageIndex;    // index into the font's pages; -1 when none
    C_Frame frame;        // the bitmap's rectangle in the page's alpha plane
    C_Vector2DI advance;  // x: pen advance; y: cell height (grid) or 0
    C_Vector2DI bearing;  // x: pen to left edge; y: baseline up to top edge (0 for grid)

    C_BitmapGlyph();
    C_BitmapGlyph(uint16_t size, uint8_t renderMode, uint8_t style);

    // Record of 26 bytes: u16 tag 3, u16 size, u8 renderMode, u8 style,
    // i32 pageIndex, then frame, advance and bearing as eight i16 (written
    // truncated to 16 bits, read back sign-extended). A failed load leaves the
    // glyph as it was.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_BITMAP_GLYPH; }
};
