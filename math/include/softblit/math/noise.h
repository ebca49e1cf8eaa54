// Integer hash noise, one-dimensional value noise and the Mandelbrot count.
#pragma once

#include <cstdint>

// Hash of n into [0, 1); equal arguments give equal results.
float Math_Noise(int32_t n);
// Math_Noise(Math_Wrap(i, period) + seed): repeats every `period` steps of i
// (period <= 0 makes every i the same, Math_Noise(seed)).
float Math_NoisePeriodic(int32_t i, int32_t seed, int32_t period);

enum : uint8_t { MATH_NOISE_NEAREST = 0, MATH_NOISE_LINEAR = 1, MATH_NOISE_QUADRATIC = 2 };

// Value noise at x over the lattice of Math_NoisePeriodic(k, seed, period):
// nearest, linearly interpolated or quadratic (B-spline through the midpoints).
// Any other form value is taken as MATH_NOISE_LINEAR. x is clamped into the
// 32-bit integer range first; a NaN x counts as 0.
float Math_ValueNoise(float x, int32_t seed, int32_t period, uint8_t form = MATH_NOISE_LINEAR);

// Steps of z := z^2 + c from z = 0, in double precision, after which |z|^2 is
// still below 4; counting stops at the first step that reaches 4 and at
// `maximum`. 0 when maximum < 1.
int32_t Math_Mandelbrot(float cr, float ci, int32_t maximum);
int32_t Math_Mandelbrot(double cr, double ci, int32_t maximum);
