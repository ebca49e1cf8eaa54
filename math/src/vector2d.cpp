#include "softblit/math/vector2d.h"

#include <cmath>

#include "angle.h"
#include "softblit/core/record.h"

template <class T>
bool C_Vector2DT<T>::LoadFromStream(C_Stream* stream, uint32_t) {
    static_assert(sizeof(T) == 4, "both forms store 4-byte components");
    if (!Record_ReadTag(stream, CLASS_VECTOR2D, "C_Vector2D")) return false;
    T nx, ny;
    uint8_t na;
    if (!Record_Read(stream, nx) || !Record_Read(stream, ny) || !Record_Read(stream, na))
        return Record_Truncated("C_Vector2D");
    x = nx;
    y = ny;
    anchor = na;
    return true;
}

template <class T>
bool C_Vector2DT<T>::SaveToStream(C_Stream* stream, uint32_t) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_VECTOR2D);
    Record_Write(stream, x);
    Record_Write(stream, y);
    Record_Write(stream, anchor);
    return true;
}

template class C_Vector2DT<float>;
template class C_Vector2DT<int32_t>;

C_Vector2D operator+(const C_Vector2D& a, const C_Vector2D& b) { return C_Vector2D(a.x + b.x, a.y + b.y); }
C_Vector2D operator-(const C_Vector2D& a, const C_Vector2D& b) { return C_Vector2D(a.x - b.x, a.y - b.y); }
C_Vector2D operator*(const C_Vector2D& a, float s) { return C_Vector2D(a.x * s, a.y * s); }
C_Vector2D operator*(float s, const C_Vector2D& a) { return a * s; }
C_Vector2D operator/(const C_Vector2D& a, float s) {
    if (s == 0) return C_Vector2D();
    return C_Vector2D(a.x / s, a.y / s);
}
C_Vector2D operator-(const C_Vector2D& a) { return C_Vector2D(-a.x, -a.y); }

C_Vector2D& operator+=(C_Vector2D& a, const C_Vector2D& b) {
    a.Set(a.x + b.x, a.y + b.y);
    return a;
}
C_Vector2D& operator-=(C_Vector2D& a, const C_Vector2D& b) {
    a.Set(a.x - b.x, a.y - b.y);
    return a;
}
C_Vector2D& operator*=(C_Vector2D& a, float s) {
    a.Set(a.x * s, a.y * s);
    return a;
}
C_Vector2D& operator/=(C_Vector2D& a, float s) {
    if (s != 0) a.Set(a.x / s, a.y / s);
    return a;
}
bool operator==(const C_Vector2D& a, const C_Vector2D& b) { return a.x == b.x && a.y == b.y; }
bool operator!=(const C_Vector2D& a, const C_Vector2D& b) { return !(a == b); }

float GetLength(const C_Vector2D& v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y));
}

float Distance(const C_Vector2D& a, const C_Vector2D& b) { return GetLength(a - b); }

float Dot(const C_Vector2D& a, const C_Vector2D& b) {
    return static_cast<float>(static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y);
}

float GetAngle(const C_Vector2D& v) {
    if (v.x == 0) return v.y > 0 ? 1.5707964f : -1.5707964f;
    double angle = std::atan(static_cast<double>(v.y) / v.x);
    if (v.x < 0) angle += 3.1415927f;
    return static_cast<float>(angle);
}

bool IsNear(const C_Vector2D& a, const C_Vector2D& b, float tolerance) {
    const double limit = 2.0 * tolerance;
    return std::fabs(static_cast<double>(a.x) - b.x) < limit && std::fabs(static_cast<double>(a.y) - b.y) < limit;
}

void Normalize(C_Vector2D& v) {
    const float length = GetLength(v);
    if (length == 1.0f || length == 0.0f || std::isnan(length)) return;
    const float k = static_cast<float>(1.0 / length);
    v.Set(k * v.x, k * v.y);
}

C_Vector2D GetNormalized(const C_Vector2D& v) {
    C_Vector2D copy(v);
    Normalize(copy);
    return copy;
}

void Rotate(C_Vector2D& v, float degrees) {
    if (degrees == 0) return;
    const S_SinCos a = Math_SinCosOfDegrees(degrees);
    const double x = v.x, y = v.y;
    v.Set(static_cast<float>(a.c * x - a.s * y), static_cast<float>(a.c * y + a.s * x));
}

C_Vector2D GetRotated(const C_Vector2D& v, float degrees) {
    C_Vector2D copy(v);
    Rotate(copy, degrees);
    return copy;
}
