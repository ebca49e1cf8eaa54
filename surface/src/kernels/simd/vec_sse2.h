// 128-bit integer vectors of four 32-bit pixels (SSE2 only: no 32-bit
// multiply, no blend, no gather), behind the operations the kernels use.
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#define SIMD_SSE2_TARGET "sse2"
#define SIMD_SSE2_OP __attribute__((target(SIMD_SSE2_TARGET), always_inline)) static inline

struct V_Sse2 {
    typedef __m128i T;
    enum { N = 4 };

    SIMD_SSE2_OP T Zero() { return _mm_setzero_si128(); }
    SIMD_SSE2_OP T Set1(int32_t v) { return _mm_set1_epi32(v); }
    SIMD_SSE2_OP T Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    SIMD_SSE2_OP void Store(void* p, T v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
    // N bytes widened to N 32-bit lanes, and back (lanes hold 0..255).
    SIMD_SSE2_OP T LoadBytes(const uint8_t* p) {
        int32_t w;
        std::memcpy(&w, p, 4);
        const T z = _mm_setzero_si128();
        return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(w), z), z);
    }
    SIMD_SSE2_OP void StoreBytes(uint8_t* p, T v) {
        const T b = _mm_packus_epi16(_mm_packs_epi32(v, v), v);
        const int32_t w = _mm_cvtsi128_si32(b);
        std::memcpy(p, &w, 4);
    }

    SIMD_SSE2_OP T Add32(T a, T b) { return _mm_add_epi32(a, b); }
    SIMD_SSE2_OP T Sub32(T a, T b) { return _mm_sub_epi32(a, b); }
    SIMD_SSE2_OP T Mul32(T a, T b) {
        const T even = _mm_mul_epu32(a, b);
        const T odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
        return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                                  _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
    }
    template <int K>
    SIMD_SSE2_OP T Srli32(T a) { return _mm_srli_epi32(a, K); }
    template <int K>
    SIMD_SSE2_OP T Slli32(T a) { return _mm_slli_epi32(a, K); }
    SIMD_SSE2_OP T CmpEq32(T a, T b) { return _mm_cmpeq_epi32(a, b); }
    SIMD_SSE2_OP T CmpGt32(T a, T b) { return _mm_cmpgt_epi32(a, b); }
    SIMD_SSE2_OP T And(T a, T b) { return _mm_and_si128(a, b); }
    SIMD_SSE2_OP T AndNot(T a, T b) { return _mm_andnot_si128(a, b); }
    SIMD_SSE2_OP T Or(T a, T b) { return _mm_or_si128(a, b); }
    // Lanes of `a` where the mask is set, of `b` elsewhere.
    SIMD_SSE2_OP T Select(T mask, T a, T b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }
    // a / b truncated, for 0 <= a < 2^24 and 1 <= b < 2^24: the quotient in
    // single precision is never rounded up across an integer.
    SIMD_SSE2_OP T DivSmall(T a, T b) { return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(a), _mm_cvtepi32_ps(b))); }

    // Bytes of the low / high half of each 128-bit lane as 16-bit lanes.
    SIMD_SSE2_OP T Lo8(T a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
    SIMD_SSE2_OP T Hi8(T a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }
    // Each 32-bit lane of the low / high half twice, matching Lo8 / Hi8.
    SIMD_SSE2_OP T Lo32(T a) { return _mm_unpacklo_epi32(a, a); }
    SIMD_SSE2_OP T Hi32(T a) { return _mm_unpackhi_epi32(a, a); }
    SIMD_SSE2_OP T Add16(T a, T b) { return _mm_add_epi16(a, b); }
    SIMD_SSE2_OP T Sub16(T a, T b) { return _mm_sub_epi16(a, b); }
    template <int K>
    SIMD_SSE2_OP T Slli16(T a) { return _mm_slli_epi16(a, K); }
    template <int K>
    SIMD_SSE2_OP T Srai16(T a) { return _mm_srai_epi16(a, K); }
    SIMD_SSE2_OP T MulHi16(T a, T b) { return _mm_mulhi_epi16(a, b); }
    SIMD_SSE2_OP T MulHiU16(T a, T b) { return _mm_mulhi_epu16(a, b); }
    SIMD_SSE2_OP T Pack16(T lo, T hi) { return _mm_packus_epi16(lo, hi); }

    // The words at byte offsets `offset` from base (offsets in 32-bit lanes).
    SIMD_SSE2_OP T Gather(const uint8_t* base, T offset) {
        int32_t i[4];
        std::memcpy(i, &offset, 16);
        uint32_t w[4];
        for (int k = 0; k < 4; ++k) std::memcpy(&w[k], base + i[k], 4);
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));
    }
    SIMD_SSE2_OP T Min32(T a, T b) { return Select(_mm_cmpgt_epi32(a, b), b, a); }
    SIMD_SSE2_OP T Max32(T a, T b) { return Select(_mm_cmpgt_epi32(a, b), a, b); }
    template <int K>
    SIMD_SSE2_OP T Srai32(T a) { return _mm_srai_epi32(a, K); }
    // 0, 1, .. N - 1
    SIMD_SSE2_OP T Ramp() { return _mm_set_epi32(3, 2, 1, 0); }
};
