// Three-component float vector.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_Vector3D : public C_Object {
public:
    float x;
    float y;
    float z;

    C_Vector3D() : x(0), y(0), z(0) {}
    C_Vector3D(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    C_Vector3D(const C_Vector3D&) = default;
    C_Vector3D& operator=(const C_Vector3D&) = default;

    void Set(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }

    // Record: u16 tag 16; f32 x, y, z (14 bytes). A short or mistagged record
    // leaves the vector unchanged and returns false.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_VECTOR3D; }
};

// Component-wise. a / b and a / s are unguarded; a /= b leaves a component whose
// divisor is 0 as it is, a /= 0 leaves the vector as it is.
C_Vector3D operator+(const C_Vector3D& a, const C_Vector3D& b);
C_Vector3D operator-(const C_Vector3D& a, const C_Vector3D& b);
C_Vector3D operator*(const C_Vector3D& a, const C_Vector3D& b);
C_Vector3D operator/(const C_Vector3D& a, const C_Vector3D& b);
C_Vector3D operator+(const C_Vector3D& a, float s);
C_Vector3D operator-(const C_Vector3D& a, float s);
C_Vector3D operator*(const C_Vector3D& a, float s);
C_Vector3D operator*(float s, const C_Vector3D& a);
C_Vector3D operator/(const C_Vector3D& a, float s);
C_Vector3D operator-(const C_Vector3D& a);
C_Vector3D& operator+=(C_Vector3D& a, const C_Vector3D& b);
C_Vector3D& operator-=(C_Vector3D& a, const C_Vector3D& b);
C_Vector3D& operator*=(C_Vector3D& a, const C_Vector3D& b);
C_Vector3D& operator/=(C_Vector3D& a, const C_Vector3D& b);
C_Vector3D& operator*=(C_Vector3D& a, float s);
C_Vector3D& operator/=(C_Vector3D& a, float s);
bool operator==(const C_Vector3D& a, const C_Vector3D& b);

// Angles given are in degrees, angles returned in radians.
float GetLength(const C_Vector3D& v);
float Distance(const C_Vector3D& a, const C_Vector3D& b);
float Dot(const C_Vector3D& a, const C_Vector3D& b);
C_Vector3D Cross(const C_Vector3D& a, const C_Vector3D& b);
// acos(Dot / (|a| |b|)); the cosine is clamped into [-1, 1] so parallel vectors
// give 0 or pi rather than NaN. A zero vector gives NaN.
float AngleBetween(const C_Vector3D& a, const C_Vector3D& b);
bool IsNear(const C_Vector3D& a, const C_Vector3D& b, float tolerance);
// Divides by the length; the zero vector is left as it is.
void Normalize(C_Vector3D& v);
C_Vector3D GetNormalized(const C_Vector3D& v);
// In place, and return the vector. No shortcut for 0 degrees.
C_Vector3D& RotateX(C_Vector3D& v, float degrees);
C_Vector3D& RotateY(C_Vector3D& v, float degrees);
C_Vector3D& RotateZ(C_Vector3D& v, float degrees);
// About `axis` (normalised here; a zero axis scales x, y, z by cos).
void RotateAxis(C_Vector3D& v, float degrees, C_Vector3D axis);
