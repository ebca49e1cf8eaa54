#include "softblit/math/circle.h"

#include "softblit/core/record.h"

bool C_Circle::LoadFromStream(C_Stream* stream, uint32_t flags) {
    if (!Record_ReadTag(stream, CLASS_CIRCLE, "C_Circle")) return false;
    C_Vector2D c;
    if (!c.LoadFromStream(stream, flags)) return Record_MemberFailed("C_Circle", true);
    float r;
    if (!Record_Read(stream, r)) return Record_Truncated("C_Circle");
    centre = c;
    radius = r;
    return true;
}

bool C_Circle::SaveToStream(C_Stream* stream, uint32_t flags) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_CIRCLE);
    if (!centre.SaveToStream(stream, flags)) return Record_MemberFailed("C_Circle", false);
    Record_Write(stream, radius);
    return true;
}
