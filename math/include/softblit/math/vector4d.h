// Four-component float vector (homogeneous coordinates).
#pragma once

#include <cstdint>

#include "softblit/core/object.h"
#include "softblit/math/vector3d.h"

class C_Vector4D : public C_Object {
public:
    float x;
    float y;
    float z;
    float w;

    C_Vector4D() : x(0), y(0), z(0), w(0) {}
    C_Vector4D(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    // x, y, z copied, w = 1.
    explicit C_Vector4D(const C_Vector3D& v) : x(v.x), y(v.y), z(v.z), w(1) {}
    C_Vector4D(const C_Vector4D&) = default;
    C_Vector4D& operator=(const C_Vector4D&) = default;

    void Set(float x_, float y_, float z_, float w_) { x = x_; y = y_; z = z_; w = w_; }

    // Record: u16 tag 17; f32 x, y, z, w (18 bytes). A short or mistagged
    // record leaves the vector unchanged and returns false.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_VECTOR4D; }
};

C_Vector4D operator+(const C_Vector4D& a, const C_Vector4D& b);
C_Vector4D operator-(const C_Vector4D& a, const C_Vector4D& b);
C_Vector4D operator*(const C_Vector4D& a, float s);
C_Vector4D operator*(float s, const C_Vector4D& a);
C_Vector4D operator/(const C_Vector4D& a, float s);  // s == 0 gives the zero vector
C_Vector4D operator-(const C_Vector4D& a);
C_Vector4D& operator+=(C_Vector4D& a, const C_Vector4D& b);
C_Vector4D& operator-=(C_Vector4D& a, const C_Vector4D& b);
C_Vector4D& operator*=(C_Vector4D& a, float s);
C_Vector4D& operator/=(C_Vector4D& a, float s);  // s == 0 leaves a as it is
bool operator==(const C_Vector4D& a, const C_Vector4D& b);
bool operator!=(const C_Vector4D& a, const C_Vector4D& b);

float GetLength(const C_Vector4D& v);
float Distance(const C_Vector4D& a, const C_Vector4D& b);
float Dot(const C_Vector4D& a, const C_Vector4D& b);
void Normalize(C_Vector4D& v);
C_Vector4D GetNormalized(const C_Vector4D& v);
// Rotations in degrees, in place; w is never touched.
C_Vector4D& RotateX(C_Vector4D& v, float degrees);
C_Vector4D& RotateY(C_Vector4D& v, float degrees);
C_Vector4D& RotateZ(C_Vector4D& v, float degrees);
void RotateAxis(C_Vector4D& v, float degrees, C_Vector3D axis);
// (x/w, y/w, z/w) unless w is 0 or exactly 1, then (x, y, z).
C_Vector3D ToVector3D(const C_Vector4D& v);
