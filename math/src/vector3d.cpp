#include "softblit/math/vector3d.h"

#include <cmath>

#include "rotate3.h"
#include "softblit/core/record.h"

bool C_Vector3D::LoadFromStream(C_Stream* stream, uint32_t) {
    if (!Record_ReadTag(stream, CLASS_VECTOR3D, "C_Vector3D")) return false;
    float nx, ny, nz;
    if (!Record_Read(stream, nx) || !Record_Read(stream, ny) || !Record_Read(stream, nz))
        return Record_Truncated("C_Vector3D");
    Set(nx, ny, nz);
    return true;
}

bool C_Vector3D::SaveToStream(C_Stream* stream, uint32_t) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_VECTOR3D);
    Record_Write(stream, x);
    Record_Write(stream, y);
    Record_Write(stream, z);
    return true;
}

C_Vector3D operator+(const C_Vector3D& a, const C_Vector3D& b) { return C_Vector3D(a.x + b.x, a.y + b.y, a.z + b.z); }
C_Vector3D operator-(const C_Vector3D& a, const C_Vector3D& b) { return C_Vector3D(a.x - b.x, a.y - b.y, a.z - b.z); }
C_Vector3D operator*(const C_Vector3D& a, const C_Vector3D& b) { return C_Vector3D(a.x * b.x, a.y * b.y, a.z * b.z); }
C_Vector3D operator/(const C_Vector3D& a, const C_Vector3D& b) { return C_Vector3D(a.x / b.x, a.y / b.y, a.z / b.z); }
C_Vector3D operator+(const C_Vector3D& a, float s) { return C_Vector3D(a.x + s, a.y + s, a.z + s); }
C_Vector3D operator-(const C_Vector3D& a, float s) { return C_Vector3D(a.x - s, a.y - s, a.z - s); }
C_Vector3D operator*(const C_Vector3D& a, float s) { return C_Vector3D(a.x * s, a.y * s, a.z * s); }
C_Vector3D operator*(float s, const C_Vector3D& a) { return a * s; }
C_Vector3D operator/(const C_Vector3D& a, float s) { return C_Vector3D(a.x / s, a.y / s, a.z / s); }
C_Vector3D operator-(const C_Vector3D& a) { return C_Vector3D(-a.x, -a.y, -a.z); }
C_Vector3D& operator+=(C_Vector3D& a, const C_Vector3D& b) { return a = a + b; }
C_Vector3D& operator-=(C_Vector3D& a, const C_Vector3D& b) { return a = a - b; }
C_Vector3D& operator*=(C_Vector3D& a, const C_Vector3D& b) { return a = a * b; }
C_Vector3D& operator/=(C_Vector3D& a, const C_Vector3D& b) {
    if (b.x != 0) a.x /= b.x;
    if (b.y != 0) a.y /= b.y;
    if (b.z != 0) a.z /= b.z;
    return a;
}
C_Vector3D& operator*=(C_Vector3D& a, float s) { return a = a * s; }
C_Vector3D& operator/=(C_Vector3D& a, float s) {
    if (s != 0) a = a / s;
    return a;
}
bool operator==(const C_Vector3D& a, const C_Vector3D& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

float Dot(const C_Vector3D& a, const C_Vector3D& b) {
    return static_cast<float>(static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y +
                              static_cast<double>(a.z) * b.z);
}

float GetLength(const C_Vector3D& v) {
    const double x = v.x, y = v.y, z = v.z;
    return static_cast<float>(std::sqrt(x * x + y * y + z * z));
}

float Distance(const C_Vector3D& a, const C_Vector3D& b) { return GetLength(a - b); }

C_Vector3D Cross(const C_Vector3D& a, const C_Vector3D& b) {
    const double ax = a.x, ay = a.y, az = a.z;
    return C_Vector3D(static_cast<float>(ay * b.z - az * b.y), static_cast<float>(az * b.x - ax * b.z),
                      static_cast<float>(ax * b.y - ay * b.x));
}

float AngleBetween(const C_Vector3D& a, const C_Vector3D& b) {
    double cosine = Dot(a, b) / (static_cast<double>(GetLength(a)) * GetLength(b));
    // Rounding can push the cosine of (anti)parallel vectors just past +-1.
    if (cosine > 1.0) cosine = 1.0;
    if (cosine < -1.0) cosine = -1.0;
    return static_cast<float>(std::acos(cosine));
}

bool IsNear(const C_Vector3D& a, const C_Vector3D& b, float tolerance) {
    const double limit = 2.0 * tolerance;
    return std::fabs(static_cast<double>(a.x) - b.x) < limit && std::fabs(static_cast<double>(a.y) - b.y) < limit &&
           std::fabs(static_cast<double>(a.z) - b.z) < limit;
}

void Normalize(C_Vector3D& v) {
    const float length = GetLength(v);
    if (length == 0) return;
    v.Set(v.x / length, v.y / length, v.z / length);
}

C_Vector3D GetNormalized(const C_Vector3D& v) {
    C_Vector3D copy(v);
    Normalize(copy);
    return copy;
}

C_Vector3D& RotateX(C_Vector3D& v, float degrees) {
    Math_RotateX(v, degrees);
    return v;
}
C_Vector3D& RotateY(C_Vector3D& v, float degrees) {
    Math_RotateY(v, degrees);
    return v;
}
C_Vector3D& RotateZ(C_Vector3D& v, float degrees) {
    Math_RotateZ(v, degrees);
    return v;
}
void RotateAxis(C_Vector3D& v, float degrees, C_Vector3D axis) { Math_RotateAxis(v, degrees, axis); }
