#include "softblit/math/noise.h"

#include <cmath>

#include "softblit/math/scalar.h"

float Math_Noise(int32_t n) {
    // Unsigned arithmetic: the hash relies on 32-bit wrap-around.
    const uint32_t u = static_cast<uint32_t>(n);
    const uint32_t m = u ^ (u << 13);
    const uint32_t h = m * (m * m * 15731u + 789221u) - 771171059u;
    const float r = static_cast<float>((h & 0x7FFFFFFFu) / 2147483648.0);
    // The top 64 hash values round up to 1.0f; keep the result below 1.
    return r < 1.0f ? r : 0x1.fffffep-1f;
}

float Math_NoisePeriodic(int32_t i, int32_t seed, int32_t period) {
    const uint32_t k = static_cast<uint32_t>(Math_Wrap(i, period)) + static_cast<uint32_t>(seed);
    return Math_Noise(static_cast<int32_t>(k));
}

float Math_ValueNoise(float x, int32_t seed, int32_t period, uint8_t form) {
    // Keep the lattice index representable: the largest float below 2^31.
    const float limit = 2147483520.0f;
    if (std::isnan(x)) x = 0;
    x = Math_Clamp(x, -limit, limit);
    const float xp = x >= 0 ? x : x - 1.0f;
    const int32_t i = static_cast<int32_t>(std::trunc(xp));
    const double f = xp >= 0 ? static_cast<double>(xp) - i : 1.0 - (i - static_cast<double>(xp));
    auto p = [&](uint32_t step) {
        return static_cast<double>(Math_NoisePeriodic(static_cast<int32_t>(static_cast<uint32_t>(i) + step), seed, period));
    };
    if (form == MATH_NOISE_NEAREST) return static_cast<float>(p(0));
    const double p0 = p(0), p1 = p(1);
    if (form != MATH_NOISE_QUADRATIC) return static_cast<float>(p0 + (p1 - p0) * f);
    const double p2 = p(2);
    const double m0 = (p0 + p1) / 2, m1 = (p1 + p2) / 2;
    return static_cast<float>(f * f * m1 + 2 * (1 - f) * f * p1 + (1 - f) * (1 - f) * m0);
}

template <class T>
static int32_t Mandelbrot(T cr, T ci, int32_t maximum) {
    if (maximum < 1) return 0;
    const double r = cr, im = ci;
    double zr = 0, zi = 0;
    int32_t steps = 0;
    while (steps < maximum) {
        const double nr = zr * zr - zi * zi + r;
        zi = 2 * zr * zi + im;
        zr = nr;
        if (zr * zr + zi * zi >= 4) break;
        ++steps;
    }
    return steps;
}

int32_t Math_Mandelbrot(float cr, float ci, int32_t maximum) { return Mandelbrot(cr, ci, maximum); }
int32_t Math_Mandelbrot(double cr, double ci, int32_t maximum) { return Mandelbrot(cr, ci, maximum); }
