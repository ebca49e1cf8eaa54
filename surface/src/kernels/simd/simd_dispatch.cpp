// The level in force and the choice between the plain and the vector tiers.
#include "kernels/simd/simd_kernels.h"
#include "kernels/kernel_options.h"
#include "softblit/surface/simd_level.h"

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

// The effects' tone tables change some level of some channel.
bool Tone_Changes(const S_BlitSpan& s) {
    for (int ch = 0; ch < 3; ++ch)
        for (int level = 0; level < 256; ++level)
            if (s.tone[ch][level] != level) return true;
    return false;
}

}  // namespace

int32_t Gfx_Simd_Available() { return Levels().available; }
int32_t Gfx_Simd_Level() { return Levels().current; }

int32_t Gfx_Simd_SetLevel(int32_t level) {
    S_Levels& l = Levels();
    l.current = level < GFX_SIMD_PLAIN ? GFX_SIMD_PLAIN : level > l.available ? l.available : level;
    return l.current;
}

T_SpanKernel Simd_Kernel(int32_t level, E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone) {
#if defined(__x86_64__)
    switch (level) {
        case GFX_SIMD_SSE2: return Simd_KernelSse2(mode, family, options, tone);
        case GFX_SIMD_AVX2: return Simd_KernelAvx2(mode, family, options, tone);
        case GFX_SIMD_AVX512: return Simd_KernelAvx512(mode, family, options, tone);
        default: break;
    }
#else
    (void)level, (void)mode, (void)family, (void)options, (void)tone;
#endif
    return nullptr;
}

void Simd_Fill32(uint8_t* destination, size_t count, uint32_t value) {
#if defined(__x86_64__)
    switch (Gfx_Simd_Level()) {
        case GFX_SIMD_SSE2: return Simd_Fill32Sse2(destination, count, value);
        case GFX_SIMD_AVX2: return Simd_Fill32Avx2(destination, count, value);
        case GFX_SIMD_AVX512: return Simd_Fill32Avx512(destination, count, value);
        default: break;
    }
#endif
    for (size_t i = 0; i < count; ++i) Pixel_Store(destination + i * 4, value);
}

T_SpanKernel Kernel_ChooseFast(E_BlitMode mode, E_BlitFamily family, uint32_t options, S_BlitSpan& s) {
    static uint32_t serial = 0;
    s.blit = ++serial == 0 ? ++serial : serial;
    const int32_t level = Gfx_Simd_Level();
    // The vector kernels move channels as bytes in place: both planes must
    // keep red, green and blue at the same positions.
    const bool sameLayout =
        s.srcShift[0] == s.dstShift[0] && s.srcShift[1] == s.dstShift[1] && s.srcShift[2] == s.dstShift[2];
    if (level > GFX_SIMD_PLAIN && sameLayout) {
        const bool tone = family == BLIT_EFFECTS && !(options & SPAN_FILL) && Tone_Changes(s);
        if (T_SpanKernel k = Simd_Kernel(level, mode, family, options, tone)) return k;
    }
    return Kernel_Choose(mode, family, options);
}
