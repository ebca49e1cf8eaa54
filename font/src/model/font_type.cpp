#include "softblit/font/font_type.h"

#include "softblit/core/record.h"
#include "softblit/core/status.h"

C_FontType::C_FontType()
    : name("MS Sans Serif"), size(10.0f), renderMode(0), bold(0), italic(0), underline(0), strikeOut(0),
      reserved(0) {}

C_FontType::C_FontType(const C_String& name_, float size_, uint8_t renderMode_, uint8_t bold_, uint8_t italic_,
                       uint8_t underline_, uint8_t strikeOut_, uint32_t reserved_)
    : name(name_), size(size_), renderMode(renderMode_), bold(bold_), italic(italic_), underline(underline_),
      strikeOut(strikeOut_), reserved(reserved_) {}

bool C_FontType::SaveToStream(C_Stream* stream, uint32_t flags) {
    if (stream == nullptr) return false;
    Record_WriteTag(stream, CLASS_FONT_TYPE);
    if (!name.SaveToStream(stream, flags)) return Record_MemberFailed("C_FontType", false);
    Record_Write(stream, size);
    Record_Write(stream, bold);
    Record_Write(stream, italic);
    Record_Write(stream, underline);
    Record_Write(stream, strikeOut);
    Record_Write(stream, reserved);
    return true;
}

bool C_FontType::LoadFromStream(C_Stream* stream, uint32_t flags) {
    if (!Record_ReadTag(stream, CLASS_FONT_TYPE, "C_FontType")) return false;
    C_String loadedName;
    if (!loadedName.LoadFromStream(stream, flags)) return Record_MemberFailed("C_FontType", true);
    struct {
        float size;
        uint8_t bold, italic, underline, strikeOut;
        uint32_t reserved;
    } f{};
    if (!Record_Read(stream, f.size) || !Record_Read(stream, f.bold) || !Record_Read(stream, f.italic) ||
        !Record_Read(stream, f.underline) || !Record_Read(stream, f.strikeOut) || !Record_Read(stream, f.reserved))
        return Record_Truncated("C_FontType");
    name = loadedName;
    size = f.size;
    bold = f.bold;
    italic = f.italic;
    underline = f.underline;
    strikeOut = f.strikeOut;
    reserved = f.reserved;
    return true;
}
