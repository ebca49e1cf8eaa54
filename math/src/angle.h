// Sine and cosine of an angle in degrees, computed in double precision and
// rounded to floats before use, as every rotation here expects.
#pragma once

#include <cmath>

struct S_SinCos {
    float s;
    float c;
};

inline S_SinCos Math_SinCosOfRadians(double radians) {
    return S_SinCos{static_cast<float>(std::sin(radians)), static_cast<float>(std::cos(radians))};
}

inline S_SinCos Math_SinCosOfDegrees(float degrees) {
    return Math_SinCosOfRadians(static_cast<double>(degrees) * 3.141592653589793 / 180.0);
}

// The axis rotation converts in the other order (a / 180 * pi), which can
// differ from the above in the last bit.
inline S_SinCos Math_SinCosOfDegreesAxis(float degrees) {
    return Math_SinCosOfRadians(static_cast<double>(degrees) / 180.0 * 3.141592653589793);
}
