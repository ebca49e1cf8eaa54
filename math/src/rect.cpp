#include "softblit/math/rect.h"

#include "softblit/core/record.h"

C_Rect::C_Rect(const float* coords) : C_Rect() {
    if (!coords) return;
    left = coords[0];
    top = coords[1];
    right = coords[2];
    bottom = coords[3];
}

bool C_Rect::LoadFromStream(C_Stream* stream, uint32_t) {
    if (!Record_ReadTag(stream, CLASS_RECT, "C_Rect")) return false;
    C_Rect in;
    if (!Record_Read(stream, in.left) || !Record_Read(stream, in.top) || !Record_Read(stream, in.right) ||
        !Record_Read(stream, in.bottom) || !Record_Read(stream, in.byte1) || !Record_Read(stream, in.byte2))
        return Record_Truncated("C_Rect");
    *this = in;
    return true;
}

bool C_Rect::SaveToStream(C_Stream* stream, uint32_t) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_RECT);
    Record_Write(stream, left);
    Record_Write(stream, top);
    Record_Write(stream, right);
    Record_Write(stream, bottom);
    Record_Write(stream, byte1);
    Record_Write(stream, byte2);
    return true;
}
