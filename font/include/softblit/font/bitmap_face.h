// Every rendering of one character, one glyph per size, style and mode.
#pragma once

#include <cstdint>

#include "softblit/core/array.h"
#include "softblit/core/object.h"
#include "softblit/font/bitmap_glyph.h"

// Character codes a face may carry.
enum : int32_t { FONT_MAX_CHAR_CODE = 0x10FFFF };

class C_BitmapFace : public C_Object {
public:
    int32_t charCode;  // -1 when empty
    C_Array* glyphs;   // of C_BitmapGlyph, owned; null until the first glyph

    C_BitmapFace() { C_BitmapFace::Reset(); }
    ~C_BitmapFace() override { C_BitmapFace::Release(); }
    C_BitmapFace(const C_BitmapFace&) = delete;
    C_BitmapFace& operator=(const C_BitmapFace&) = delete;

    // Deletes every glyph and the array, and forgets them.
    void Release() override;
    void Reset() override;

    // Record: u16 tag 4, u32 glyph count, each glyph's record, i32 charCode.
    // A loaded face holds its glyphs in the reverse of the stored order. On
    // failure the face is left empty.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_BITMAP_FACE; }

    uint32_t GetGlyphCount() const { return glyphs ? glyphs->GetCount() : 0; }
    // Glyph `index`, or null past the end.
    C_BitmapGlyph* GetGlyph(uint32_t index) const;
    // Appends a glyph the face then owns. False (error 3) when it cannot be
    // stored; the caller keeps the glyph then.
    bool AppendGlyph(C_BitmapGlyph* glyph);
};
