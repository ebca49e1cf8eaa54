// The vector level: detected once from the processor, lowered on request.
#include "softblit/core/simd_level.h"

namespace {

int32_t Detect() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) return GFX_SIMD_AVX512;
    if (__builtin_cpu_supports("avx2")) return GFX_SIMD_AVX2;
    return GFX_SIMD_SSE2;
#else
    return GFX_SIMD_PLAIN;
#endif
}

struct S_Levels {
    int32_t available;
    int32_t current;
};

S_Levels& Levels() {
    static S_Levels levels = {Detect(), Detect()};
    return levels;
}

}  // namespace

int32_t Gfx_Simd_Available() { return Levels().available; }
int32_t Gfx_Simd_Level() { return Levels().current; }

int32_t Gfx_Simd_SetLevel(int32_t level) {
    S_Levels& l = Levels();
    l.current = level < GFX_SIMD_PLAIN ? GFX_SIMD_PLAIN : level > l.available ? l.available : level;
    return l.current;
}
