// Helpers shared by the imaging sources (not part of the public interface).
#pragma once

#include <cstdint>

// A colour component limited to 0..1; NaN counts as 0.
inline double Gfx_Unit(float component) {
    if (!(component > 0.0f)) return 0.0;
    if (component > 1.0f) return 1.0;
    return component;
}

// trunc(component x (2^32 - 1)) of the limited component.
inline uint32_t Gfx_ComponentTo32(float component) {
    return static_cast<uint32_t>(Gfx_Unit(component) * 4294967295.0);
}

// trunc(component x scale) of the limited component; scale <= 2^32 - 1.
inline uint32_t Gfx_ComponentScaled(float component, double scale) {
    return static_cast<uint32_t>(Gfx_Unit(component) * scale);
}
