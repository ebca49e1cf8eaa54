// Colour and vector arithmetic, normalisation, angles and rotations.

#include <gtest/gtest.h>

#include <cmath>

#include "softblit/math/all.h"

namespace {

void ExpectNear(const C_Vector3D& v, float x, float y, float z, float tolerance = 1e-6f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

TEST(MathColor, ConstructorsClampLerp) {
    EXPECT_EQ(C_Color(255, 128, 0, 255), C_Color(1.0f, static_cast<float>(128 / 255.0), 0.0f, 1.0f));
    // Blue takes every bit above the lowest 16, so it can pass 1; alpha is 0.
    EXPECT_EQ(C_Color(0x01FF8040u), C_Color(static_cast<float>(0x40 / 255.0), static_cast<float>(0x80 / 255.0),
                                            static_cast<float>(0x1FF / 255.0), 0.0f));
    C_Color c(1.5f, -0.2f, 0.5f, NAN);
    c.Clamp();
    EXPECT_EQ(c, C_Color(1.0f, 0.0f, 0.5f, 0.0f));
    C_Color a, b(1.0f, 0.5f, 0.25f, 1.0f);
    EXPECT_EQ(a.Lerp(b, 0.5f), C_Color(0.5f, 0.25f, 0.125f, 0.5f));
}

TEST(MathVector2D, OperatorsKeepOrResetTheAnchor) {
    C_Vector2D a(6, 8, 0x32), b(1, 2, 0x21);
    EXPECT_EQ((a + b).anchor, 0x10);
    EXPECT_EQ((-a).anchor, 0x10);
    EXPECT_EQ(a / 0.0f, C_Vector2D(0, 0));
    C_Vector2D c = a;
    c /= 0.0f;
    c -= b;
    EXPECT_EQ(c, C_Vector2D(5, 6));
    EXPECT_EQ(c.anchor, 0x32);
}

TEST(MathVector2D, LengthNormalizeAngle) {
    C_Vector2D v(3, 4);
    EXPECT_EQ(GetLength(v), 5.0f);
    Normalize(v);
    EXPECT_NEAR(v.x, 0.6f, 1e-7);
    EXPECT_NEAR(v.y, 0.8f, 1e-7);
    C_Vector2D nan(NAN, 1);
    Normalize(nan);
    EXPECT_EQ(nan.y, 1.0f);

    EXPECT_EQ(GetAngle(C_Vector2D(0, 0)), -1.5707964f);
    EXPECT_EQ(GetAngle(C_Vector2D(0, -2)), -1.5707964f);
    EXPECT_EQ(GetAngle(C_Vector2D(-1, 0)), 3.1415927f);
    EXPECT_TRUE(IsNear(C_Vector2D(0, 0), C_Vector2D(1.9f, -1.9f), 1.0f));
    EXPECT_FALSE(IsNear(C_Vector2D(0, 0), C_Vector2D(2.0f, 0), 1.0f));  // intervals only touch
}

TEST(MathVector2D, Rotate) {
    C_Vector2D v(1, 0);
    Rotate(v, 90);
    EXPECT_NEAR(v.x, 0.0f, 1e-7);
    EXPECT_EQ(v.y, 1.0f);
    // Hand computed: sin and cos rounded to float, products and sums in double.
    C_Vector2D w = GetRotated(C_Vector2D(2, 1, 0x21), 30);
    const double c = static_cast<float>(std::cos(M_PI / 6)), s = static_cast<float>(std::sin(M_PI / 6));
    EXPECT_EQ(w.x, static_cast<float>(c * 2 - s * 1));
    EXPECT_EQ(w.y, static_cast<float>(c * 1 + s * 2));
    EXPECT_EQ(w.anchor, 0x21);
    C_Vector2D odd(0.1f, 0.3f);
    Rotate(odd, 0);
    EXPECT_EQ(odd, C_Vector2D(0.1f, 0.3f));
}

TEST(MathVector3D, OperatorsAndProducts) {
    C_Vector3D a(6, 8, 2);
    a /= C_Vector3D(2, 0, 1);
    EXPECT_EQ(a, C_Vector3D(3, 8, 2));
    a /= 0.0f;
    EXPECT_EQ(a, C_Vector3D(3, 8, 2));
    EXPECT_EQ(Cross(C_Vector3D(2, 3, 4), C_Vector3D(5, 6, 7)), C_Vector3D(-3, 6, -3));
    EXPECT_NEAR(AngleBetween(C_Vector3D(1, 0, 0), C_Vector3D(0, 5, 0)), M_PI / 2, 1e-6);
    // Rounding puts the cosine of most of these (anti)parallel pairs past +-1.
    for (int i = 1; i < 200; ++i) {
        C_Vector3D p(0.1f * i, 0.7f / i, 0.3f + i);
        EXPECT_LT(AngleBetween(p, p * 3.0f), 1e-3f) << i;
        EXPECT_GT(AngleBetween(p, -p), 3.14f) << i;
    }
}

TEST(MathVector3D, Rotations) {
    C_Vector3D v(1, 0, 5), x(0, 1, 0), y(0, 0, 1);
    ExpectNear(RotateZ(v, 90), 0, 1, 5);
    ExpectNear(RotateX(x, 90), 0, 0, 1);
    ExpectNear(RotateY(y, 90), 1, 0, 0);
    // About a (non-unit) z axis the axis rotation matches RotateZ exactly.
    C_Vector3D a(1, 0, 0), z(1, 0, 0);
    RotateAxis(a, 90, C_Vector3D(0, 0, 10));
    EXPECT_EQ(a, RotateZ(z, 90));
    C_Vector3D c(1, 0, 0);  // 120 degrees about (1, 1, 1) cycles the axes
    RotateAxis(c, 120, C_Vector3D(1, 1, 1));
    ExpectNear(c, 0, 1, 0);
    C_Vector3D s(2, 4, 6);  // a zero axis only scales by the cosine
    RotateAxis(s, 60, C_Vector3D(0, 0, 0));
    ExpectNear(s, 1, 2, 3);
}

TEST(MathVector4D, GuardsAndProjection) {
    C_Vector4D v(C_Vector3D(1, 2, 3));
    EXPECT_EQ(v / 0.0f, C_Vector4D(0, 0, 0, 0));
    EXPECT_EQ(ToVector3D(C_Vector4D(2, 4, 6, 2)), C_Vector3D(1, 2, 3));
    EXPECT_EQ(ToVector3D(C_Vector4D(2, 4, 6, 0)), C_Vector3D(2, 4, 6));
}

}  // namespace
