#include "softblit/demo/bump_shade.h"

#include <cmath>

#include "softblit/math/vector3d.h"

void Gfx_BumpLight(double t, int32_t light[3]) {
    const double halfPi = 1.5707963267948966;
    // 0.3 pi as the single-precision value, widened exactly.
    const double slowRate = static_cast<double>(0.94247783f);
    C_Vector3D l(static_cast<float>(std::cos(t * halfPi)),
                 static_cast<float>(std::sin(t * slowRate)), -1.0f);
    Normalize(l);
    light[0] = static_cast<int32_t>(256.0f * l.x);
    light[1] = static_cast<int32_t>(256.0f * l.y);
    light[2] = static_cast<int32_t>(256.0f * l.z);
}

void Gfx_BumpShade(uint8_t* destination, const uint8_t* source, uint32_t width, uint32_t height,
                   double t) {
    if (!destination || !source) return;
    int32_t light[3];
    Gfx_BumpLight(t, light);
    // Each term depends on one byte only: three 256-entry tables per frame
    // turn the per-pixel work into three look-ups, and a fourth table clamps
    // their sum (each term lies within -256..256).
    int16_t termBlue[256], termGreen[256], termRed[256];
    for (int32_t b = 0; b < 256; ++b) {
        const int32_t n = 2 * b - 256;
        termBlue[b] = static_cast<int16_t>((n * light[2]) >> 8);
        termGreen[b] = static_cast<int16_t>((n * light[1]) >> 8);
        termRed[b] = static_cast<int16_t>((n * light[0]) >> 8);
    }
    uint8_t clampTable[3 * 512 + 1];
    for (int32_t v = -768; v <= 768; ++v) clampTable[v + 768] = static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    const uint8_t* clamp = clampTable + 768;
    const uint64_t count = static_cast<uint64_t>(width) * height;
    for (uint64_t i = 0; i < count; ++i, source += 3)
        destination[i] = clamp[termBlue[source[0]] + termGreen[source[1]] + termRed[source[2]]];
}
