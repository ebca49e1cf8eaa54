// 512-bit integer vectors of sixteen 32-bit pixels (AVX-512 F and BW), with
// the same operations as V_Sse2. Comparisons give all-ones lanes, as on the
// narrower levels, so the kernels are written once.
#pragma once

#include <immintrin.h>

#include <cstdint>
#include <cstring>

#define SIMD_AVX512_TARGET "avx512f,avx512bw"
#define SIMD_AVX512_OP __attribute__((target(SIMD_AVX512_TARGET), always_inline)) static inline

struct V_Avx512 {
    typedef __m512i T;
    enum { N = 16 };

    SIMD_AVX512_OP T Zero() { return _mm512_setzero_si512(); }
    SIMD_AVX512_OP T Set1(int32_t v) { return _mm512_set1_epi32(v); }
    SIMD_AVX512_OP T Load(const void* p) { return _mm512_loadu_si512(p); }
    SIMD_AVX512_OP void Store(void* p, T v) { _mm512_storeu_si512(p, v); }
    SIMD_AVX512_OP T LoadBytes(const uint8_t* p) {
        return _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    }
    SIMD_AVX512_OP void StoreBytes(uint8_t* p, T v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm512_cvtepi32_epi8(v));
    }

    SIMD_AVX512_OP T Add32(T a, T b) { return _mm512_add_epi32(a, b); }
    SIMD_AVX512_OP T Sub32(T a, T b) { return _mm512_sub_epi32(a, b); }
    SIMD_AVX512_OP T Mul32(T a, T b) { return _mm512_mullo_epi32(a, b); }
    template <int K>
    SIMD_AVX512_OP T Srli32(T a) { return _mm512_srli_epi32(a, K); }
    template <int K>
    SIMD_AVX512_OP T Slli32(T a) { return _mm512_slli_epi32(a, K); }
    SIMD_AVX512_OP T CmpEq32(T a, T b) { return _mm512_maskz_set1_epi32(_mm512_cmpeq_epi32_mask(a, b), -1); }
    SIMD_AVX512_OP T CmpGt32(T a, T b) { return _mm512_maskz_set1_epi32(_mm512_cmpgt_epi32_mask(a, b), -1); }
    SIMD_AVX512_OP T And(T a, T b) { return _mm512_and_si512(a, b); }
    SIMD_AVX512_OP T AndNot(T a, T b) { return _mm512_andnot_si512(a, b); }
    SIMD_AVX512_OP T Or(T a, T b) { return _mm512_or_si512(a, b); }
    // Bitwise mask ? a : b in one instruction.
    SIMD_AVX512_OP T Select(T mask, T a, T b) { return _mm512_ternarylogic_epi32(mask, a, b, 0xCA); }
    SIMD_AVX512_OP T DivSmall(T a, T b) {
        return _mm512_cvttps_epi32(_mm512_div_ps(_mm512_cvtepi32_ps(a), _mm512_cvtepi32_ps(b)));
    }

    SIMD_AVX512_OP T Lo8(T a) { return _mm512_unpacklo_epi8(a, _mm512_setzero_si512()); }
    SIMD_AVX512_OP T Hi8(T a) { return _mm512_unpackhi_epi8(a, _mm512_setzero_si512()); }
    SIMD_AVX512_OP T Lo32(T a) { return _mm512_unpacklo_epi32(a, a); }
    SIMD_AVX512_OP T Hi32(T a) { return _mm512_unpackhi_epi32(a, a); }
    SIMD_AVX512_OP T Add16(T a, T b) { return _mm512_add_epi16(a, b); }
    SIMD_AVX512_OP T Sub16(T a, T b) { return _mm512_sub_epi16(a, b); }
    template <int K>
    SIMD_AVX512_OP T Slli16(T a) { return _mm512_slli_epi16(a, K); }
    template <int K>
    SIMD_AVX512_OP T Srai16(T a) { return _mm512_srai_epi16(a, K); }
    SIMD_AVX512_OP T MulHi16(T a, T b) { return _mm512_mulhi_epi16(a, b); }
    SIMD_AVX512_OP T MulHiU16(T a, T b) { return _mm512_mulhi_epu16(a, b); }
    SIMD_AVX512_OP T Pack16(T lo, T hi) { return _mm512_packus_epi16(lo, hi); }

    SIMD_AVX512_OP T Gather(const uint8_t* base, T offset) { return _mm512_i32gather_epi32(offset, base, 1); }
    SIMD_AVX512_OP T Min32(T a, T b) { return _mm512_min_epi32(a, b); }
    SIMD_AVX512_OP T Max32(T a, T b) { return _mm512_max_epi32(a, b); }
    template <int K>
    SIMD_AVX512_OP T Srai32(T a) { return _mm512_srai_epi32(a, K); }
    SIMD_AVX512_OP T Ramp() { return _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0); }
};
