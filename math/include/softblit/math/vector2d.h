// Two-component vector with an anchor byte.
//
// One class template over the component type:
//   C_Vector2D   float components: positions, sizes and scales of the blitters;
//                has the operators and the geometric functions below.
//   C_Vector2DI  32-bit signed components: constructors, Set and the record only.
// Both forms write the same 11-byte record (tag 15), so a record written by one
// loads into the other, the 4-byte values taken bit for bit.
//
// The anchor byte says from which edge of a reference box the point is measured
// (low nibble 1 right, 2 centre, else left; high nibble 0x20 bottom, 0x30 middle,
// else top). Nothing here reads it; it is copied with the vector and stored.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

enum : uint8_t { MATH_ANCHOR_DEFAULT = 0x10 };  // left, top

template <class T>
class C_Vector2DT : public C_Object {
public:
    T x;
    T y;
    uint8_t anchor;

    C_Vector2DT() : x(0), y(0), anchor(MATH_ANCHOR_DEFAULT) {}
    C_Vector2DT(T x_, T y_, uint8_t anchor_ = MATH_ANCHOR_DEFAULT) : x(x_), y(y_), anchor(anchor_) {}
    C_Vector2DT(const C_Vector2DT&) = default;
    C_Vector2DT& operator=(const C_Vector2DT&) = default;

    // Replaces the components; the anchor byte stays.
    void Set(T x_, T y_) { x = x_; y = y_; }

    // Record: u16 tag 15; x, y as 4 bytes each; the anchor byte (11 bytes).
    // A short or mistagged record leaves the vector unchanged and returns false.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_VECTOR2D; }
};

extern template class C_Vector2DT<float>;
extern template class C_Vector2DT<int32_t>;

using C_Vector2D = C_Vector2DT<float>;
using C_Vector2DI = C_Vector2DT<int32_t>;

// Float form only. Results are new vectors with the anchor byte 0x10 whatever
// the operands held; compound forms change the components of the left operand
// and keep its anchor byte. == compares x and y only.
C_Vector2D operator+(const C_Vector2D& a, const C_Vector2D& b);
C_Vector2D operator-(const C_Vector2D& a, const C_Vector2D& b);
C_Vector2D operator*(const C_Vector2D& a, float s);
C_Vector2D operator*(float s, const C_Vector2D& a);
C_Vector2D operator/(const C_Vector2D& a, float s);  // s == 0 gives (0, 0)
C_Vector2D operator-(const C_Vector2D& a);
C_Vector2D& operator+=(C_Vector2D& a, const C_Vector2D& b);
C_Vector2D& operator-=(C_Vector2D& a, const C_Vector2D& b);
C_Vector2D& operator*=(C_Vector2D& a, float s);
C_Vector2D& operator/=(C_Vector2D& a, float s);  // s == 0 leaves a as it is
bool operator==(const C_Vector2D& a, const C_Vector2D& b);
bool operator!=(const C_Vector2D& a, const C_Vector2D& b);

// Angles given are in degrees, angles returned in radians.
float GetLength(const C_Vector2D& v);
float Distance(const C_Vector2D& a, const C_Vector2D& b);
float Dot(const C_Vector2D& a, const C_Vector2D& b);
// atan(y / x), plus pi when x < 0: in (-pi/2, 3pi/2). x == 0: pi/2 when y > 0,
// else -pi/2 (also for the zero vector).
float GetAngle(const C_Vector2D& v);
// True when every component differs by less than 2 * tolerance.
bool IsNear(const C_Vector2D& a, const C_Vector2D& b, float tolerance);
// Unit length; a vector of length exactly 1, 0 or NaN is left as it is.
void Normalize(C_Vector2D& v);
C_Vector2D GetNormalized(const C_Vector2D& v);
// In place; positive angles turn clockwise on screen (y down). An angle of
// exactly 0 changes nothing, not even by rounding.
void Rotate(C_Vector2D& v, float degrees);
C_Vector2D GetRotated(const C_Vector2D& v, float degrees);
