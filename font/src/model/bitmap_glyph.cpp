#include "softblit/font/bitmap_glyph.h"

#include <initializer_list>

#include "softblit/core/record.h"

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

bool C_BitmapGlyph::LoadFromStream(C_Stream* stream, uint32_t /*flags*/) {
    if (!Record_ReadTag(stream, CLASS_BITMAP_GLYPH, "C_BitmapGlyph")) return false;
    uint8_t body[FONT_GLYPH_RECORD_BYTES - 2];
    if (Stream_Read(body, 1, sizeof body, stream) != sizeof body) return Record_Truncated("C_BitmapGlyph");
    auto u16 = [&](int at) { return static_cast<uint16_t>(body[at] | (body[at + 1] << 8)); };
    auto i16 = [&](int at) { return static_cast<int32_t>(static_cast<int16_t>(u16(at))); };
    size = u16(0);
    renderMode = body[2];
    style = body[3];
    pageIndex = static_cast<int32_t>(static_cast<uint32_t>(body[4]) | (static_cast<uint32_t>(body[5]) << 8) |
                                     (static_cast<uint32_t>(body[6]) << 16) | (static_cast<uint32_t>(body[7]) << 24));
    frame.left = i16(8);
    frame.top = i16(10);
    frame.right = i16(12);
    frame.bottom = i16(14);
    advance.x = i16(16);
    advance.y = i16(18);
    bearing.x = i16(20);
    bearing.y = i16(22);
    return true;
}
