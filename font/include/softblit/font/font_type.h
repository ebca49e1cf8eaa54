// How text is to be drawn: family name, size and style flags, and the render
// mode that selects among a font's glyphs.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"
#include "softblit/core/string.h"

// One 8-bit code space shared by a glyph's renderMode and style fields.
enum : uint8_t {
    FONT_RENDER_MONO = 4,         // rasterised one bit per pixel, stored as 0 or 255
    FONT_RENDER_ANTIALIASED = 5,  // rasterised with 256 grey levels
    FONT_RENDER_GRID = 6,         // cut out of a grid picture
    FONT_STYLE_REGULAR = 7,
    FONT_STYLE_BOLD = 8,
    FONT_STYLE_ITALIC = 9,
    FONT_STYLE_BOLD_ITALIC = 10,
};

class C_FontType : public C_Object {
public:
    C_String name;
    float size;          // requested size, in the unit of the glyphs' sizes
    uint8_t renderMode;  // mode the glyphs must have; not stored
    uint8_t bold;        // non-zero selects a bold style
    uint8_t italic;      // non-zero selects an italic style
    uint8_t underline;   // non-zero draws an underline
    uint8_t strikeOut;   // non-zero draws a line through the text
    uint32_t reserved;   // stored and loaded, not interpreted

    // "MS Sans Serif", 10, render mode 0 (which no glyph has: draws nothing).
    C_FontType();
    C_FontType(const C_String& name, float size, uint8_t renderMode, uint8_t bold, uint8_t italic,
               uint8_t underline, uint8_t strikeOut, uint32_t reserved);

    // Record: u16 tag 2, the name's record, f32 size, u8 bold, italic,
    // underline, strikeOut, u32 reserved. renderMode keeps its value on load.
    // A failed load leaves the fields as they were.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_FONT_TYPE; }
};
