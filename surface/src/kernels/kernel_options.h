// Building the per-option kernel tables of the blend and effects families:
// one template instantiation per meaningful set of options, looked up by the
// option bits. Bits that a walking mode cannot use are folded away so that no
// duplicate loops are generated.
#pragma once

#include "blit/blit_span.h"

constexpr uint32_t Options_Canonical(int mode, uint32_t options) {
    return mode == BLIT_UNSCALED ? (options & ~uint32_t(SPAN_BILINEAR)) : (options & ~uint32_t(SPAN_MIRROR));
}

// The blend family never filters.
constexpr uint32_t Options_CanonicalBlend(int mode, uint32_t options) {
    return Options_Canonical(mode, options) & ~uint32_t(SPAN_BILINEAR);
}

#define SPAN_K2(F, C, M, n) &F<M, C(M, (n))>, &F<M, C(M, (n) + 1)>
#define SPAN_K4(F, C, M, n) SPAN_K2(F, C, M, n), SPAN_K2(F, C, M, (n) + 2)
#define SPAN_K8(F, C, M, n) SPAN_K4(F, C, M, n), SPAN_K4(F, C, M, (n) + 4)
#define SPAN_K16(F, C, M, n) SPAN_K8(F, C, M, n), SPAN_K8(F, C, M, (n) + 8)
#define SPAN_K32(F, C, M, n) SPAN_K16(F, C, M, n), SPAN_K16(F, C, M, (n) + 16)
#define SPAN_K64(F, C, M, n) SPAN_K32(F, C, M, n), SPAN_K32(F, C, M, (n) + 32)
// Every option set 0 .. SPAN_OPTION_COUNT - 1 of one mode.
#define SPAN_KERNELS_OF_MODE(F, C, M) SPAN_K64(F, C, M, 0), SPAN_K64(F, C, M, 64)

// The option bits of one instantiation as compile-time flags.
template <uint32_t OPT>
struct T_SpanOptions {
    static constexpr bool MIRROR = (OPT & SPAN_MIRROR) != 0;
    static constexpr bool FILL = (OPT & SPAN_FILL) != 0;
    static constexpr bool SRC_ALPHA = (OPT & SPAN_SRC_ALPHA) != 0;
    static constexpr bool DST_ALPHA = (OPT & SPAN_DST_ALPHA) != 0;
    static constexpr bool OPAQUE = (OPT & SPAN_OPAQUE) != 0;
    static constexpr bool KEY = (OPT & SPAN_KEY) != 0;
    static constexpr bool BILINEAR = (OPT & SPAN_BILINEAR) != 0;
};

T_SpanKernel Kernel_Blend(E_BlitMode mode, uint32_t options);
// Unscaled opaque fill through source coverage (glyphs); runs `fallback`
// when the channels do not sit in bytes 0 to 2 of both formats alike.
void Span_FillCoverage(S_BlitSpan& s, T_SpanKernel fallback);
T_SpanKernel Kernel_Effects(E_BlitMode mode, uint32_t options);
