#include "softblit/math/frame.h"

#include "softblit/core/record.h"

C_Frame::C_Frame(const int32_t* coords) : C_Frame() {
    if (!coords) return;
    left = coords[0];
    top = coords[1];
    right = coords[2];
    bottom = coords[3];
}

bool C_Frame::LoadFromStream(C_Stream* stream, uint32_t) {
    if (!Record_ReadTag(stream, CLASS_FRAME, "C_Frame")) return false;
    C_Frame in;
    if (!Record_Read(stream, in.left) || !Record_Read(stream, in.top) || !Record_Read(stream, in.right) ||
        !Record_Read(stream, in.bottom) || !Record_Read(stream, in.byte1) || !Record_Read(stream, in.byte2))
        return Record_Truncated("C_Frame");
    *this = in;
    return true;
}

bool C_Frame::SaveToStream(C_Stream* stream, uint32_t) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_FRAME);
    Record_Write(stream, left);
    Record_Write(stream, top);
    Record_Write(stream, right);
    Record_Write(stream, bottom);
    Record_Write(stream, byte1);
    Record_Write(stream, byte2);
    return true;
}
