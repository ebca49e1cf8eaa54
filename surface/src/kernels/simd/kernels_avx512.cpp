// The vector kernels at the AVX512 level.
#if defined(__x86_64__)
#include <cstring>

#include "kernels/kernel_options.h"
#include "softblit/core/buffer.h"
#include "kernels/simd/simd_kernels.h"
#if defined(__GNUC__) && !defined(__clang__)
// GCC 12's AVX-512 headers start some intrinsics from a deliberately
// undefined register and then warn about it.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif
#include "kernels/simd/vec_avx512.h"
#include "kernels/span_sampler.h"

namespace simd_avx512 {
typedef V_Avx512 V;
#define SIMD_FN __attribute__((target(SIMD_AVX512_TARGET)))
#define SIMD_INLINE __attribute__((target(SIMD_AVX512_TARGET), always_inline)) inline
#include "kernels/simd/simd_kernels.inc"
#undef SIMD_FN
#undef SIMD_INLINE
}  // namespace simd_avx512

T_SpanKernel Simd_KernelAvx512(E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone) {
    return simd_avx512::Choose(mode, family, options, tone);
}

void Simd_Fill32Avx512(uint8_t* destination, size_t count, uint32_t value) {
    simd_avx512::Fill_Words(destination, count, value);
}
#endif
