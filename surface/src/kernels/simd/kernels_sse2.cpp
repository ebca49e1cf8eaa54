// The vector kernels at the SSE2 level.
#if defined(__x86_64__)
#include <cstring>

#include "kernels/kernel_options.h"
#include "softblit/core/buffer.h"
#include "kernels/simd/simd_kernels.h"
#include "kernels/simd/vec_sse2.h"
#include "kernels/span_sampler.h"

namespace simd_sse2 {
typedef V_Sse2 V;
#define SIMD_FN __attribute__((target(SIMD_SSE2_TARGET)))
#define SIMD_INLINE __attribute__((target(SIMD_SSE2_TARGET), always_inline)) inline
#include "kernels/simd/simd_kernels.inc"
#undef SIMD_FN
#undef SIMD_INLINE
}  // namespace simd_sse2

T_SpanKernel Simd_KernelSse2(E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone) {
    return simd_sse2::Choose(mode, family, options, tone);
}

void Simd_Fill32Sse2(uint8_t* destination, size_t count, uint32_t value) {
    simd_sse2::Fill_Words(destination, count, value);
}
#endif
