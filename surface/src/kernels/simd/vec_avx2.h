// 256-bit integer vectors of eight 32-bit pixels (AVX2), with the same
// operations as V_Sse2. Byte and 16-bit operations work within each 128-bit
// half, and so do Lo8 / Lo32 and Pack16, which keeps them consistent.
#pragma once

#include <immintrin.h>

#include <cstdint>
#include <cstring>

#define SIMD_AVX2_TARGET "avx2"
#define SIMD_AVX2_OP __attribute__((target(SIMD_AVX2_TARGET), always_inline)) static inline

struct V_Avx2 {
    typedef __m256i T;
    enum { N = 8 };

    SIMD_AVX2_OP T Zero() { return _mm256_setzero_si256(); }
    SIMD_AVX2_OP T Set1(int32_t v) { return _mm256_set1_epi32(v); }
    SIMD_AVX2_OP T Load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    SIMD_AVX2_OP void Store(void* p, T v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
    SIMD_AVX2_OP T LoadBytes(const uint8_t* p) {
        int64_t w;
        std::memcpy(&w, p, 8);
        return _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(w));
    }
    SIMD_AVX2_OP void StoreBytes(uint8_t* p, T v) {
        const T w = _mm256_packus_epi16(_mm256_packus_epi32(v, v), v);
        const int32_t lo = _mm_cvtsi128_si32(_mm256_castsi256_si128(w));
        const int32_t hi = _mm_cvtsi128_si32(_mm256_extracti128_si256(w, 1));
        std::memcpy(p, &lo, 4);
        std::memcpy(p + 4, &hi, 4);
    }

    SIMD_AVX2_OP T Add32(T a, T b) { return _mm256_add_epi32(a, b); }
    SIMD_AVX2_OP T Sub32(T a, T b) { return _mm256_sub_epi32(a, b); }
    SIMD_AVX2_OP T Mul32(T a, T b) { return _mm256_mullo_epi32(a, b); }
    template <int K>
    SIMD_AVX2_OP T Srli32(T a) { return _mm256_srli_epi32(a, K); }
    template <int K>
    SIMD_AVX2_OP T Slli32(T a) { return _mm256_slli_epi32(a, K); }
    SIMD_AVX2_OP T CmpEq32(T a, T b) { return _mm256_cmpeq_epi32(a, b); }
    SIMD_AVX2_OP T CmpGt32(T a, T b) { return _mm256_cmpgt_epi32(a, b); }
    SIMD_AVX2_OP T And(T a, T b) { return _mm256_and_si256(a, b); }
    SIMD_AVX2_OP T AndNot(T a, T b) { return _mm256_andnot_si256(a, b); }
    SIMD_AVX2_OP T Or(T a, T b) { return _mm256_or_si256(a, b); }
    SIMD_AVX2_OP T Select(T mask, T a, T b) { return _mm256_blendv_epi8(b, a, mask); }
    SIMD_AVX2_OP T DivSmall(T a, T b) {
        return _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(a), _mm256_cvtepi32_ps(b)));
    }

    SIMD_AVX2_OP T Lo8(T a) { return _mm256_unpacklo_epi8(a, _mm256_setzero_si256()); }
    SIMD_AVX2_OP T Hi8(T a) { return _mm256_unpackhi_epi8(a, _mm256_setzero_si256()); }
    SIMD_AVX2_OP T Lo32(T a) { return _mm256_unpacklo_epi32(a, a); }
    SIMD_AVX2_OP T Hi32(T a) { return _mm256_unpackhi_epi32(a, a); }
    SIMD_AVX2_OP T Add16(T a, T b) { return _mm256_add_epi16(a, b); }
    SIMD_AVX2_OP T Sub16(T a, T b) { return _mm256_sub_epi16(a, b); }
    template <int K>
    SIMD_AVX2_OP T Slli16(T a) { return _mm256_slli_epi16(a, K); }
    template <int K>
    SIMD_AVX2_OP T Srai16(T a) { return _mm256_srai_epi16(a, K); }
    SIMD_AVX2_OP T MulHi16(T a, T b) { return _mm256_mulhi_epi16(a, b); }
    SIMD_AVX2_OP T MulHiU16(T a, T b) { return _mm256_mulhi_epu16(a, b); }
    SIMD_AVX2_OP T Pack16(T lo, T hi) { return _mm256_packus_epi16(lo, hi); }

    SIMD_AVX2_OP T Gather(const uint8_t* base, T offset) {
        return _mm256_i32gather_epi32(reinterpret_cast<const int*>(base), offset, 1);
    }
    SIMD_AVX2_OP T Min32(T a, T b) { return _mm256_min_epi32(a, b); }
    SIMD_AVX2_OP T Max32(T a, T b) { return _mm256_max_epi32(a, b); }
    template <int K>
    SIMD_AVX2_OP T Srai32(T a) { return _mm256_srai_epi32(a, K); }
    SIMD_AVX2_OP T Ramp() { return _mm256_set_epi32(7, 6, 5, 4, 3, 2, 1, 0); }
};
