#include "softblit/math/vector4d.h"

#include <cmath>

#include "rotate3.h"
#include "softblit/core/record.h"

bool C_Vector4D::LoadFromStream(C_Stream* stream, uint32_t) {
    if (!Record_ReadTag(stream, CLASS_VECTOR4D, "C_Vector4D")) return false;
    float nx, ny, nz, nw;
    if (!Record_Read(stream, nx) || !Record_Read(stream, ny) || !Record_Read(stream, nz) || !Record_Read(stream, nw))
        return Record_Truncated("C_Vector4D");
    Set(nx, ny, nz, nw);
    return true;
}

bool C_Vector4D::SaveToStream(C_Stream* stream, uint32_t) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_VECTOR4D);
    Record_Write(stream, x);
    Record_Write(stream, y);
    Record_Write(stream, z);
    Record_Write(stream, w);
    return true;
}

C_Vector4D operator+(const C_Vector4D& a, const C_Vector4D& b) {
    return C_Vector4D(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w);
}
C_Vector4D operator-(const C_Vector4D& a, const C_Vector4D& b) {
    return C_Vector4D(a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w);
}
C_Vector4D operator*(const C_Vector4D& a, float s) { return C_Vector4D(a.x * s, a.y * s, a.z * s, a.w * s); }
C_Vector4D operator*(float s, const C_Vector4D& a) { return a * s; }
C_Vector4D operator/(const C_Vector4D& a, float s) {
    if (s == 0) return C_Vector4D();
    return C_Vector4D(a.x / s, a.y / s, a.z / s, a.w / s);
}
C_Vector4D operator-(const C_Vector4D& a) { return C_Vector4D(-a.x, -a.y, -a.z, -a.w); }
C_Vector4D& operator+=(C_Vector4D& a, const C_Vector4D& b) { return a = a + b; }
C_Vector4D& operator-=(C_Vector4D& a, const C_Vector4D& b) { return a = a - b; }
C_Vector4D& operator*=(C_Vector4D& a, float s) { return a = a * s; }
C_Vector4D& operator/=(C_Vector4D& a, float s) {
    if (s != 0) a = a / s;
    return a;
}
bool operator==(const C_Vector4D& a, const C_Vector4D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}
bool operator!=(const C_Vector4D& a, const C_Vector4D& b) { return !(a == b); }

float Dot(const C_Vector4D& a, const C_Vector4D& b) {
    return static_cast<float>(static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y +
                              static_cast<double>(a.z) * b.z + static_cast<double>(a.w) * b.w);
}

float GetLength(const C_Vector4D& v) {
    const double x = v.x, y = v.y, z = v.z, w = v.w;
    return static_cast<float>(std::sqrt(x * x + y * y + z * z + w * w));
}

float Distance(const C_Vector4D& a, const C_Vector4D& b) { return GetLength(a - b); }

void Normalize(C_Vector4D& v) {
    const float length = GetLength(v);
    if (length == 0) return;
    v.Set(v.x / length, v.y / length, v.z / length, v.w / length);
}

C_Vector4D GetNormalized(const C_Vector4D& v) {
    C_Vector4D copy(v);
    Normalize(copy);
    return copy;
}

C_Vector4D& RotateX(C_Vector4D& v, float degrees) {
    Math_RotateX(v, degrees);
    return v;
}
C_Vector4D& RotateY(C_Vector4D& v, float degrees) {
    Math_RotateY(v, degrees);
    return v;
}
C_Vector4D& RotateZ(C_Vector4D& v, float degrees) {
    Math_RotateZ(v, degrees);
    return v;
}
void RotateAxis(C_Vector4D& v, float degrees, C_Vector3D axis) { Math_RotateAxis(v, degrees, axis); }

C_Vector3D ToVector3D(const C_Vector4D& v) {
    if (v.w == 0 || v.w == 1) return C_Vector3D(v.x, v.y, v.z);
    return C_Vector3D(v.x / v.w, v.y / v.w, v.z / v.w);
}
