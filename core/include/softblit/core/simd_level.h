// Which vector instruction level the span kernels, fills and conversions use.
//
// The level is chosen once at start-up from the processor's features. Every
// fast level gives results identical to the plain one; lowering the level
// lets tests and benchmarks run each tier on one machine.
#pragma once

#include <cstdint>

enum E_SimdLevel : int32_t {
    GFX_SIMD_PLAIN = 0,   // portable scalar code
    GFX_SIMD_SSE2 = 1,
    GFX_SIMD_AVX2 = 2,
    GFX_SIMD_AVX512 = 3,  // AVX-512 F, BW, VL
};

// The highest level this processor runs.
int32_t Gfx_Simd_Available();
// The level in force.
int32_t Gfx_Simd_Level();
// Forces `level` (lowered to what the processor has; below 0 counts as plain)
// for blits started afterwards, and returns the level now in force.
int32_t Gfx_Simd_SetLevel(int32_t level);
