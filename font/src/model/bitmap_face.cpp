#include "softblit/font/bitmap_face.h"

#include "model/glyph_record.h"
#include "softblit/core/record.h"
#include "softblit/core/status.h"

void C_BitmapFace::Release() {
    if (glyphs != nullptr) {
        glyphs->DeleteAll();
        delete glyphs;
        glyphs = nullptr;
    }
}

void C_BitmapFace::Reset() {
    charCode = -1;
    glyphs = nullptr;
}

C_BitmapGlyph* C_BitmapFace::GetGlyph(uint32_t index) const {
    if (glyphs == nullptr || index >= glyphs->GetCount()) return nullptr;
    return static_cast<C_BitmapGlyph*>(glyphs->GetAt(index));
}

bool C_BitmapFace::AppendGlyph(C_BitmapGlyph* glyph) {
    if (glyphs == nullptr) glyphs = new C_Array();
    if (glyphs->Insert(glyph, glyphs->GetCount())) return true;
    return Err_Fail(ERR_ALLOC, "C_BitmapFace::AppendGlyph{glyphs}", "C_BitmapFace::AppendGlyph");
}

bool C_BitmapFace::SaveToStream(C_Stream* stream, uint32_t flags) {
    if (stream == nullptr) return false;
    Record_WriteTag(stream, CLASS_BITMAP_FACE);
    uint32_t count = 0;
    for (uint32_t i = 0; i < GetGlyphCount(); ++i) count += GetGlyph(i) != nullptr;
    Record_Write(stream, count);
    for (uint32_t i = 0; i < GetGlyphCount(); ++i) {
        C_BitmapGlyph* glyph = GetGlyph(i);
        if (glyph != nullptr && !glyph->SaveToStream(stream, flags)) return Record_MemberFailed("C_BitmapFace", false);
    }
    Record_Write(stream, charCode);
    return true;
}

// The glyphs are appended as they are read and reversed once at the end, so
// a loaded face holds them in the reverse of the stored order in linear time.
bool C_BitmapFace::LoadFromStream(C_Stream* stream, uint32_t /*flags*/) {
    if (!Record_ReadTag(stream, CLASS_BITMAP_FACE, "C_BitmapFace")) return false;
    Release();
    Reset();
    uint32_t count = 0;
    if (!Record_Read(stream, count)) return Record_Truncated("C_BitmapFace");
    if (uint64_t(count) * FONT_GLYPH_RECORD_BYTES + sizeof(int32_t) > Stream_BytesLeft(stream))
        return Err_Fail(ERR_DATA, "C_BitmapFace::LoadFromStream{count}", "C_BitmapFace::LoadFromStream");

    // Glyph records are read a block at a time: a face may hold millions.
    bool ok = true;
    uint8_t block[64 * FONT_GLYPH_RECORD_BYTES];
    for (uint32_t i = 0; ok && i < count;) {
        const uint32_t n = count - i < 64 ? count - i : 64;
        const uint32_t bytes = n * FONT_GLYPH_RECORD_BYTES;
        const uint32_t got = Stream_Read(block, 1, bytes, stream);
        for (uint32_t j = 0; ok && j < n; ++j, ++i) {
            const uint8_t* record = block + j * FONT_GLYPH_RECORD_BYTES;
            if ((j + 1) * FONT_GLYPH_RECORD_BYTES > got) {
                ok = Record_Truncated("C_BitmapGlyph");
                break;
            }
            C_BitmapGlyph* glyph = new C_BitmapGlyph();
            if (!GlyphRecord_Parse(record, *glyph) || !AppendGlyph(glyph)) {
                delete glyph;
                ok = false;
            }
        }
    }
    if (!ok) Record_MemberFailed("C_BitmapFace", true);
    int32_t code = -1;
    if (ok && !Record_Read(stream, code)) ok = Record_Truncated("C_BitmapFace");
    if (!ok) {
        Release();
        Reset();
        return false;
    }
    for (uint32_t i = 0, j = count; glyphs != nullptr && i + 1 < j; ++i, --j) {
        C_Object* t = glyphs->items[i];
        glyphs->items[i] = glyphs->items[j - 1];
        glyphs->items[j - 1] = t;
    }
    charCode = code;
    return true;
}
