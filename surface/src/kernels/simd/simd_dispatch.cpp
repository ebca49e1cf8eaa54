// The level in force and the choice between the plain and the vector tiers.
#include "kernels/simd/simd_kernels.h"
#include "kernels/copy_kernels.h"
#include "kernels/kernel_options.h"
#include "softblit/core/simd_level.h"
#include "softblit/core/status.h"

namespace {

// The effects' tone tables change some level of some channel.
bool Tone_Changes(const S_BlitSpan& s) {
    for (int ch = 0; ch < 3; ++ch)
        for (int level = 0; level < 256; ++level)
            if (s.tone[ch][level] != level) return true;
    return false;
}

}  // namespace

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

namespace {
constexpr size_t kStringBlock = 64 << 10;

void Fill32_Plain(uint8_t* destination, size_t count, uint32_t value) {
    for (size_t i = 0; i < count; ++i) Pixel_Store(destination + i * 4, value);
}
}  // namespace

T_Fill32 Simd_Fill32For() {
#if defined(__x86_64__)
    switch (Gfx_Simd_Level()) {
        case GFX_SIMD_SSE2: return Simd_Fill32Sse2;
        case GFX_SIMD_AVX2: return Simd_Fill32Avx2;
        case GFX_SIMD_AVX512: return Simd_Fill32Avx512;
        default: break;
    }
#endif
    return Fill32_Plain;
}

void Simd_Fill32(uint8_t* destination, size_t count, uint32_t value) {
    // Large blocks: the string store writes whole cache lines without
    // reading them first.
    const size_t bytes = count * 4;
    if (bytes >= kStringBlock && bytes <= UINT32_MAX) return (void)Mem_Set32(destination, uint32_t(bytes), value);
    Simd_Fill32For()(destination, count, value);
}

bool Kernel_FillsOnly(T_SpanKernel kernel) {
    if (kernel == Span_Fill) return true;
    for (int32_t level = GFX_SIMD_SSE2; level <= Gfx_Simd_Available(); ++level)
        if (kernel == Simd_Kernel(level, BLIT_UNSCALED, BLIT_PLAIN, SPAN_FILL, false)) return true;
    return false;
}

T_SpanKernel Kernel_ChooseFast(E_BlitMode mode, E_BlitFamily family, uint32_t options, S_BlitSpan& s) {
    static uint32_t serial = 0;
    s.blit = ++serial == 0 ? ++serial : serial;
    const int32_t level = Gfx_Simd_Level();
    // The vector kernels move channels as bytes in place: both planes must
    // keep red, green and blue at the same positions.
    const bool sameLayout =
        s.srcShift[0] == s.dstShift[0] && s.srcShift[1] == s.dstShift[1] && s.srcShift[2] == s.dstShift[2];
    // Text's glyph rows (an opaque fill through an alpha plane, unscaled) are
    // a few pixels long; the coverage kernel's short set-up beats the wide
    // vector blend there.
    const bool glyphRows = mode == BLIT_UNSCALED && family == BLIT_BLEND &&
                           (options & (SPAN_OPTION_COUNT - 1)) == (SPAN_FILL | SPAN_SRC_ALPHA | SPAN_OPAQUE);
    if (level > GFX_SIMD_PLAIN && sameLayout && !glyphRows) {
        const bool tone = family == BLIT_EFFECTS && !(options & SPAN_FILL) && Tone_Changes(s);
        if (T_SpanKernel k = Simd_Kernel(level, mode, family, options, tone)) return k;
    }
    return Kernel_Choose(mode, family, options);
}
