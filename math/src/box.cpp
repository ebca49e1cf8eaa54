#include "softblit/math/box.h"

#include "softblit/core/record.h"

bool C_Box::Intersects(const C_Box& other, C_Vector3D* overlap) const {
    const C_Vector3D& a0 = minimum;
    const C_Vector3D& a1 = maximum;
    const C_Vector3D& b0 = other.minimum;
    const C_Vector3D& b1 = other.maximum;
    if (!(a0.x < b1.x && b0.x < a1.x && a0.y < b1.y && b0.y < a1.y && a0.z < b1.z && b0.z < a1.z)) return false;
    if (overlap) {
        // Centres in single precision: which side a tie falls to depends on it.
        auto axis = [](float aMin, float aMax, float bMin, float bMax) {
            const float centreA = aMin + (aMax - aMin) / 2.0f;
            const float centreB = bMin + (bMax - bMin) / 2.0f;
            return centreB <= centreA ? bMax - aMin : bMin - aMax;
        };
        overlap->Set(axis(a0.x, a1.x, b0.x, b1.x), axis(a0.y, a1.y, b0.y, b1.y), axis(a0.z, a1.z, b0.z, b1.z));
    }
    return true;
}

bool C_Box::LoadFromStream(C_Stream* stream, uint32_t flags) {
    if (!Record_ReadTag(stream, CLASS_BOX, "C_Box")) return false;
    C_Vector3D lo, hi;
    if (!lo.LoadFromStream(stream, flags)) return Record_MemberFailed("C_Box", true);
    if (!hi.LoadFromStream(stream, flags)) return Record_MemberFailed("C_Box", true);
    minimum = lo;
    maximum = hi;
    return true;
}

bool C_Box::SaveToStream(C_Stream* stream, uint32_t flags) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_BOX);
    if (!minimum.SaveToStream(stream, flags)) return Record_MemberFailed("C_Box", false);
    if (!maximum.SaveToStream(stream, flags)) return Record_MemberFailed("C_Box", false);
    return true;
}
