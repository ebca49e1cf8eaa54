// The Math_ families: their rules, the integer extremes, and noise.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "softblit/math/noise.h"
#include "softblit/math/scalar.h"

namespace {

int64_t WrapReference(int64_t a, int64_t b) { return ((a % b) + b) % b; }

int64_t PingPongReference(int64_t a, int64_t b) {
    if (a >= 0 && a <= b) return a;
    const int64_t w = a > b ? a : -a;
    return (w / b) & 1 ? b - w % b : w % b;
}

template <class T>
class MathSignedMembers : public testing::Test {};
using SignedTypes = testing::Types<int8_t, int16_t, int32_t>;
TYPED_TEST_SUITE(MathSignedMembers, SignedTypes);

TYPED_TEST(MathSignedMembers, Extremes) {
    using T = TypeParam;
    const T lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
    EXPECT_EQ(Math_Abs<T>(lo), hi);
    EXPECT_EQ(Math_Div<T>(lo, T(-1)), hi);
    EXPECT_EQ(Math_Div<T>(T(7), T(0)), 0);
    EXPECT_EQ(Math_Mod<T>(lo, T(-1)), 0);
    EXPECT_EQ(Math_Wrap<T>(T(5), T(0)), 0);
    EXPECT_EQ(Math_PingPong<T>(T(5), T(-3)), 0);
    for (T b : {T(1), T(2), T(7), T(100), hi}) {
        for (T a : {lo, T(lo + 1), T(-1), T(0), hi}) {
            EXPECT_EQ(Math_Wrap<T>(a, b), WrapReference(a, b)) << +a << " " << +b;
            EXPECT_EQ(Math_PingPong<T>(a, b), PingPongReference(a, b)) << +a << " " << +b;
        }
    }
}

TEST(MathScalar, FloatWrapAndPingPong) {
    const std::pair<float, float> wraps[] = {{-0.5f, 9.5f}, {-10.5f, 9.5f}, {10.0f, 0.0f}, {25.5f, 5.5f},
                                             {-20.0f, 0.0f}, {-1e-9f, 0.0f}, {NAN, 0.0f}, {INFINITY, 0.0f}};
    for (auto [a, expected] : wraps) EXPECT_EQ(Math_Wrap(a, 10.0f), expected) << a;
    for (float a = -100.0f; a < 100.0f; a += 0.37f) {
        const float w = Math_Wrap(a, 6.5f);
        EXPECT_TRUE(w >= 0.0f && w < 6.5f) << a;
    }
    const std::pair<float, float> folds[] = {{13, 7}, {25, 5}, {-3, 3}, {10, 10}, {-2.5f, 2.5f}, {NAN, 0}};
    for (auto [a, expected] : folds) EXPECT_EQ(Math_PingPong(a, 10.0f), expected) << a;
}

TEST(MathScalar, ClampMinMaxCompareSort) {
    EXPECT_EQ(Math_Clamp(NAN, 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(Math_Cycle<int32_t>(-1, 0, 10), 10);
    EXPECT_TRUE(std::isnan(Math_Min(NAN, 1.0f)));
    EXPECT_EQ(Math_Max(NAN, 1.0f), 1.0f);
    float one = 1, nan = NAN;
    EXPECT_EQ(Math_Compare<float>(&nan, &one), -1);
    EXPECT_EQ(Math_Compare<float>(&one, &nan), -1);
    int32_t items[] = {5, INT32_MIN, 3, INT32_MAX, -1};
    Math_Sort(items, 5, sizeof(int32_t), Math_Compare<int32_t>);
    EXPECT_EQ(items[0], INT32_MIN);
    EXPECT_EQ(items[4], INT32_MAX);
}

TEST(MathScalar, NextPow2) {
    EXPECT_EQ(Math_NextPow2(5), 8);
    EXPECT_EQ(Math_NextPow2(INT32_MIN), 1);
    EXPECT_EQ(Math_NextPow2(1 << 30), 1 << 30);
    EXPECT_EQ(Math_NextPow2((1 << 30) + 1), 0);  // 2^31 does not fit
    EXPECT_EQ(Math_NextPow2(INT32_MAX), 0);
}

TEST(MathScalar, ErfFollowsTheLibraryWithinItsApproximation) {
    for (double x = -3; x <= 3; x += 0.25) EXPECT_NEAR(Math_Erf(x), std::erf(x), 4e-4) << x;
    EXPECT_EQ(Math_Erfc(-INFINITY), 2.0f);
}

TEST(MathNoise, HashAndPeriodic) {
    for (int32_t n : {0, -1, INT32_MIN, INT32_MAX}) EXPECT_GE(Math_Noise(n), 0.0f);
    // This hash value lies within 2^-25 of 2^31 and would round to 1.0f.
    EXPECT_LT(Math_Noise(2676098), 1.0f);
    EXPECT_GT(Math_Noise(2676098), 0.9999999f);
    EXPECT_EQ(Math_NoisePeriodic(-7, 7, 10), Math_Noise(10));
    EXPECT_EQ(Math_NoisePeriodic(INT32_MAX, INT32_MAX, 1), Math_Noise(INT32_MAX));
}

TEST(MathNoise, ValueNoise) {
    auto p = [](int32_t k) { return Math_NoisePeriodic(k, 5, 16); };
    EXPECT_EQ(Math_ValueNoise(2.75f, 5, 16, MATH_NOISE_NEAREST), p(2));
    // Negative x: x' = x - 1 = -1.25, i = -1, f = 1 - (i - x') = 0.75.
    EXPECT_FLOAT_EQ(Math_ValueNoise(-0.25f, 5, 16), p(-1) + (p(0) - p(-1)) * 0.75f);
    for (float x : {NAN, INFINITY, -3e9f}) EXPECT_FALSE(std::isnan(Math_ValueNoise(x, 1, 8, MATH_NOISE_QUADRATIC)));
    EXPECT_EQ(Math_Mandelbrot(1.0f, 0.0f, 50), 1);  // z: 1, then 2 reaches |z|^2 = 4
}

}  // namespace
