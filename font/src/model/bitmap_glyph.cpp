#include "softblit/font/bitmap_glyph.h"

#include <initializer_list>

#include "model/glyph_record.h"
#include "softblit/core/record.h"
#include "softblit/core/status.h"

C_BitmapGlyph::C_BitmapGlyph() : size(0), renderMode(0), style(0), pageIndex(-1), frame(), advance(), bearing() {}

C_BitmapGlyph::C_BitmapGlyph(uint16_t size_, uint8_t renderMode_, uint8_t style_)
    : size(size_), renderMode(renderMode_), style(style_), pageIndex(-1), frame(), advance(), bearing() {}

namespace {

// The record keeps coordinates in 16 bits: written truncated, read back
// sign-extended.
void WriteCoord(C_Stream* stream, int32_t value) {
    Record_Write(stream, static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu)));
}

}  // namespace

bool C_BitmapGlyph::SaveToStream(C_Stream* stream, uint32_t /*flags*/) {
    if (stream == nullptr) return false;
    Record_WriteTag(stream, CLASS_BITMAP_GLYPH);
    Record_Write(stream, size);
    Record_Write(stream, renderMode);
    Record_Write(stream, style);
    Record_Write(stream, pageIndex);
    for (int32_t v : {frame.left, frame.top, frame.right, frame.bottom, advance.x, advance.y, bearing.x, bearing.y})
        WriteCoord(stream, v);
    return true;
}

namespace {

bool BadTag() {
    return Err_Fail(ERR_DATA, "C_BitmapGlyph::LoadFromStream{class_type}", "C_BitmapGlyph::LoadFromStream");
}

}  // namespace

bool GlyphRecord_Parse(const uint8_t* r, C_BitmapGlyph& glyph) {
    auto u16 = [&](int at) { return static_cast<uint16_t>(r[at] | (r[at + 1] << 8)); };
    auto i16 = [&](int at) { return static_cast<int32_t>(static_cast<int16_t>(u16(at))); };
    if (u16(0) != CLASS_BITMAP_GLYPH) return BadTag();
    glyph.size = u16(2);
    glyph.renderMode = r[4];
    glyph.style = r[5];
    glyph.pageIndex = static_cast<int32_t>(static_cast<uint32_t>(u16(6)) | (static_cast<uint32_t>(u16(8)) << 16));
    glyph.frame.left = i16(10);
    glyph.frame.top = i16(12);
    glyph.frame.right = i16(14);
    glyph.frame.bottom = i16(16);
    glyph.advance.x = i16(18);
    glyph.advance.y = i16(20);
    glyph.bearing.x = i16(22);
    glyph.bearing.y = i16(24);
    return true;
}

bool C_BitmapGlyph::LoadFromStream(C_Stream* stream, uint32_t /*flags*/) {
    uint8_t record[FONT_GLYPH_RECORD_BYTES];
    const uint32_t got = Stream_Read(record, 1, sizeof record, stream);
    if (got < 2 || (record[0] | (record[1] << 8)) != CLASS_BITMAP_GLYPH)
        return BadTag();
    if (got != sizeof record) return Record_Truncated("C_BitmapGlyph");
    return GlyphRecord_Parse(record, *this);
}
