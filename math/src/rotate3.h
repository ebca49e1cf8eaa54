// Rotations shared by the 3D and 4D vectors: they touch x, y and z only, so a
// 4D vector keeps its w. Each right-hand side uses the old components and is
// formed in double precision, rounded once when stored.
#pragma once

#include "angle.h"
#include "softblit/math/vector3d.h"

template <class V>
void Math_RotateX(V& v, float degrees) {
    const S_SinCos a = Math_SinCosOfDegrees(degrees);
    const double y = v.y, z = v.z;
    v.y = static_cast<float>(a.c * y - a.s * z);
    v.z = static_cast<float>(a.c * z + a.s * y);
}

template <class V>
void Math_RotateY(V& v, float degrees) {
    const S_SinCos a = Math_SinCosOfDegrees(degrees);
    const double x = v.x, z = v.z;
    v.x = static_cast<float>(a.c * x + a.s * z);
    v.z = static_cast<float>(a.c * z - a.s * x);
}

template <class V>
void Math_RotateZ(V& v, float degrees) {
    const S_SinCos a = Math_SinCosOfDegrees(degrees);
    const double x = v.x, y = v.y;
    v.x = static_cast<float>(a.c * x - a.s * y);
    v.y = static_cast<float>(a.c * y + a.s * x);
}

template <class V>
void Math_RotateAxis(V& v, float degrees, C_Vector3D axis) {
    Normalize(axis);
    const S_SinCos a = Math_SinCosOfDegreesAxis(degrees);
    const double c = a.c, s = a.s, t = 1.0 - c;
    const double ax = axis.x, ay = axis.y, az = axis.z;
    const double x = v.x, y = v.y, z = v.z;
    v.x = static_cast<float>((t * ax * ax + c) * x + (t * ax * ay - az * s) * y + (t * ax * az + ay * s) * z);
    v.y = static_cast<float>((t * ax * ay + az * s) * x + (t * ay * ay + c) * y + (t * ay * az - ax * s) * z);
    v.z = static_cast<float>((t * ax * az - ay * s) * x + (t * ay * az + ax * s) * y + (t * az * az + c) * z);
}
