// Helpers shared by the imaging sources (not part of the public interface).
#pragma once

#include <cstddef>
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

// Rows of pixels narrower than a byte: the bits of each row's last byte past
// its last pixel are set to 0, so saved rows never carry stale buffer bits.
inline void Image_ClearRowTails(uint8_t* row0, ptrdiff_t step, uint32_t width, uint32_t height,
                                uint32_t bitsPerPixel) {
    const uint32_t used = static_cast<uint32_t>((static_cast<uint64_t>(width) * bitsPerPixel) % 8);
    if (bitsPerPixel >= 8 || used == 0 || !row0) return;
    const uint32_t last = static_cast<uint32_t>(static_cast<uint64_t>(width) * bitsPerPixel / 8);
    const uint8_t keep = static_cast<uint8_t>(0xFF00u >> used);
    for (uint32_t y = 0; y < height; ++y) row0[static_cast<ptrdiff_t>(y) * step + last] &= keep;
}
