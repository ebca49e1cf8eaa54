// Vector rows of the per-frame conversions into A8R8G8B8, chosen by the
// level in force; each gives exactly the bytes of the scalar row.
#include <cstring>

#include "convert/convert_internal.h"
#include "convert/pixel_access.h"
#include "softblit/core/simd_level.h"

#if defined(__x86_64__)
#if defined(__GNUC__) && !defined(__clang__)
// GCC 12's AVX-512 headers start some intrinsics from a deliberately
// undefined register and then warn about it.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif
#include <immintrin.h>
#endif

namespace {

// The prepared palette: the 256 destination words, then each of their four
// bytes as its own 256-byte plane.
constexpr size_t kPlanes = 256 * 4;

void Pal8_Scalar(const uint8_t* s, uint8_t* d, size_t x, uint32_t width, const uint8_t* entries) {
    for (; x < width; ++x) std::memcpy(d + 4 * x, entries + 4 * size_t(s[x]), 4);
}

void R5G6B5_Scalar(const uint8_t* s, uint8_t* d, size_t x, uint32_t width) {
    // (c << k) + (c & (2^k - 1)) has no carries, so each channel is two
    // masked copies of its bits: the value itself and its low bits below it.
    for (; x < width; ++x) {
        const uint32_t p = Pixel_Load16(s + 2 * x);
        const uint32_t r = ((p & 0xF800u) << 8) | ((p & 0x3800u) << 5);
        const uint32_t g = ((p & 0x07E0u) << 5) | ((p & 0x0060u) << 3);
        const uint32_t b = ((p & 0x001Fu) << 3) | (p & 0x0007u);
        Pixel_Save32(d + 4 * x, r | g | b);
    }
}

void R8G8B8_Scalar(const uint8_t* s, uint8_t* d, size_t x, uint32_t width) {
    for (; x < width; ++x) {
        const uint8_t* p = s + 3 * x;
        Pixel_Save32(d + 4 * x, p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16));
    }
}

#if defined(__x86_64__)
bool Has_Vbmi() {
    static const bool vbmi = (__builtin_cpu_init(), __builtin_cpu_supports("avx512vbmi") != 0);
    return vbmi;
}

#define AVX512_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))
#define AVX2 __attribute__((target("avx2")))
#define SSE2 __attribute__((target("sse2")))

// 64 indexes at a time: each byte plane is looked up with two 128-entry
// byte permutes (index bit 7 picks one), then the planes are interleaved.
AVX512_VBMI void Pal8_Vbmi(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t* prepared) {
    const uint8_t* planes = prepared + kPlanes;
    __m512i t[4][4];
    for (int k = 0; k < 4; ++k)
        for (int q = 0; q < 4; ++q) t[k][q] = _mm512_loadu_si512(planes + 256 * k + 64 * q);
    size_t x = 0;
    for (; x + 64 <= width; x += 64) {
        const __m512i idx = _mm512_loadu_si512(s + x);
        const __mmask64 high = _mm512_movepi8_mask(idx);
        __m512i p[4];
        for (int k = 0; k < 4; ++k) {
            const __m512i lo = _mm512_permutex2var_epi8(t[k][0], idx, t[k][1]);
            const __m512i hi = _mm512_permutex2var_epi8(t[k][2], idx, t[k][3]);
            p[k] = _mm512_mask_blend_epi8(high, lo, hi);
        }
        const __m512i bgLo = _mm512_unpacklo_epi8(p[0], p[1]), bgHi = _mm512_unpackhi_epi8(p[0], p[1]);
        const __m512i raLo = _mm512_unpacklo_epi8(p[2], p[3]), raHi = _mm512_unpackhi_epi8(p[2], p[3]);
        // Within each 128-bit lane L: q0 holds pixels 16L + 0..3, q1 4..7, q2 8..11, q3 12..15.
        const __m512i q0 = _mm512_unpacklo_epi16(bgLo, raLo), q1 = _mm512_unpackhi_epi16(bgLo, raLo);
        const __m512i q2 = _mm512_unpacklo_epi16(bgHi, raHi), q3 = _mm512_unpackhi_epi16(bgHi, raHi);
        const __m512i t0 = _mm512_shuffle_i32x4(q0, q1, 0x44), t1 = _mm512_shuffle_i32x4(q2, q3, 0x44);
        const __m512i t2 = _mm512_shuffle_i32x4(q0, q1, 0xEE), t3 = _mm512_shuffle_i32x4(q2, q3, 0xEE);
        uint8_t* out = d + 4 * x;
        _mm512_storeu_si512(out, _mm512_shuffle_i32x4(t0, t1, 0x88));
        _mm512_storeu_si512(out + 64, _mm512_shuffle_i32x4(t0, t1, 0xDD));
        _mm512_storeu_si512(out + 128, _mm512_shuffle_i32x4(t2, t3, 0x88));
        _mm512_storeu_si512(out + 192, _mm512_shuffle_i32x4(t2, t3, 0xDD));
    }
    Pal8_Scalar(s, d, x, width, prepared);
}

AVX512_VBMI void R5G6B5_Avx512(const uint8_t* s, uint8_t* d, uint32_t width) {
    size_t x = 0;
    const __m512i mr = _mm512_set1_epi32(0xF800), mr2 = _mm512_set1_epi32(0x3800), mg = _mm512_set1_epi32(0x07E0),
                  mg2 = _mm512_set1_epi32(0x0060), mb = _mm512_set1_epi32(0x001F), mb2 = _mm512_set1_epi32(0x0007);
    for (; x + 16 <= width; x += 16) {
        const __m512i p = _mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 2 * x)));
        const __m512i r = _mm512_or_si512(_mm512_slli_epi32(_mm512_and_si512(p, mr), 8), _mm512_slli_epi32(_mm512_and_si512(p, mr2), 5));
        const __m512i g = _mm512_or_si512(_mm512_slli_epi32(_mm512_and_si512(p, mg), 5), _mm512_slli_epi32(_mm512_and_si512(p, mg2), 3));
        const __m512i b = _mm512_or_si512(_mm512_slli_epi32(_mm512_and_si512(p, mb), 3), _mm512_and_si512(p, mb2));
        _mm512_storeu_si512(d + 4 * x, _mm512_or_si512(_mm512_or_si512(r, g), b));
    }
    R5G6B5_Scalar(s, d, x, width);
}

AVX2 void R5G6B5_Avx2(const uint8_t* s, uint8_t* d, uint32_t width) {
    size_t x = 0;
    const __m256i mr = _mm256_set1_epi32(0xF800), mr2 = _mm256_set1_epi32(0x3800), mg = _mm256_set1_epi32(0x07E0),
                  mg2 = _mm256_set1_epi32(0x0060), mb = _mm256_set1_epi32(0x001F), mb2 = _mm256_set1_epi32(0x0007);
    for (; x + 8 <= width; x += 8) {
        const __m256i p = _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * x)));
        const __m256i r = _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(p, mr), 8), _mm256_slli_epi32(_mm256_and_si256(p, mr2), 5));
        const __m256i g = _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(p, mg), 5), _mm256_slli_epi32(_mm256_and_si256(p, mg2), 3));
        const __m256i b = _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(p, mb), 3), _mm256_and_si256(p, mb2));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 4 * x), _mm256_or_si256(_mm256_or_si256(r, g), b));
    }
    R5G6B5_Scalar(s, d, x, width);
}

SSE2 void R5G6B5_Sse2(const uint8_t* s, uint8_t* d, uint32_t width) {
    size_t x = 0;
    const __m128i mr = _mm_set1_epi32(0xF800), mr2 = _mm_set1_epi32(0x3800), mg = _mm_set1_epi32(0x07E0),
                  mg2 = _mm_set1_epi32(0x0060), mb = _mm_set1_epi32(0x001F), mb2 = _mm_set1_epi32(0x0007);
    const __m128i zero = _mm_setzero_si128();
    for (; x + 8 <= width; x += 8) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * x));
        for (int half = 0; half < 2; ++half) {
            const __m128i p = half ? _mm_unpackhi_epi16(eight, zero) : _mm_unpacklo_epi16(eight, zero);
            const __m128i r = _mm_or_si128(_mm_slli_epi32(_mm_and_si128(p, mr), 8), _mm_slli_epi32(_mm_and_si128(p, mr2), 5));
            const __m128i g = _mm_or_si128(_mm_slli_epi32(_mm_and_si128(p, mg), 5), _mm_slli_epi32(_mm_and_si128(p, mg2), 3));
            const __m128i b = _mm_or_si128(_mm_slli_epi32(_mm_and_si128(p, mb), 3), _mm_and_si128(p, mb2));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * x + 16 * half), _mm_or_si128(_mm_or_si128(r, g), b));
        }
    }
    R5G6B5_Scalar(s, d, x, width);
}

// Sixteen 3-byte pixels spread to four bytes each; the masked load reads no
// byte past the row.
AVX512_VBMI void R8G8B8_Vbmi(const uint8_t* s, uint8_t* d, uint32_t width) {
    alignas(64) uint8_t order[64];
    for (int i = 0; i < 64; ++i) order[i] = uint8_t((i / 4) * 3 + (i % 4 < 3 ? i % 4 : 0));
    const __m512i idx = _mm512_load_si512(order);
    size_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m512i in = _mm512_maskz_loadu_epi8(0xFFFFFFFFFFFFull, s + 3 * x);
        _mm512_storeu_si512(d + 4 * x, _mm512_maskz_permutexvar_epi8(0x7777777777777777ull, idx, in));
    }
    R8G8B8_Scalar(s, d, x, width);
}

// Eight pixels: two 16-byte loads (four pixels each at the start of a lane),
// one byte shuffle. The second load reaches 4 bytes past the eighth pixel, so
// the loop stops ten pixels before the end.
AVX2 void R8G8B8_Avx2(const uint8_t* s, uint8_t* d, uint32_t width) {
    const __m256i order = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3, 4, 5, -1,
                                           6, 7, 8, -1, 9, 10, 11, -1);
    size_t x = 0;
    for (; x + 10 <= width; x += 8) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 3 * x));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 3 * x + 12));
        const __m256i both = _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 4 * x), _mm256_shuffle_epi8(both, order));
    }
    R8G8B8_Scalar(s, d, x, width);
}
#endif

}  // namespace

void Convert_Pal8Prepare(const uint8_t* table, uint8_t* prepared) {
    std::memcpy(prepared, table, kPlanes);
    for (size_t k = 0; k < 4; ++k)
        for (size_t i = 0; i < 256; ++i) prepared[kPlanes + 256 * k + i] = table[4 * i + k];
}

void Convert_Pal8ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t* prepared) {
#if defined(__x86_64__)
    // Below byte permutes the table look-up in scalar code beats gathers.
    if (Gfx_Simd_Level() >= GFX_SIMD_AVX512 && Has_Vbmi()) return Pal8_Vbmi(s, d, width, prepared);
#endif
    Pal8_Scalar(s, d, 0, width, prepared);
}

void Convert_R5G6B5ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
#if defined(__x86_64__)
    switch (Gfx_Simd_Level()) {
        case GFX_SIMD_AVX512: return R5G6B5_Avx512(s, d, width);
        case GFX_SIMD_AVX2: return R5G6B5_Avx2(s, d, width);
        case GFX_SIMD_SSE2: return R5G6B5_Sse2(s, d, width);
        default: break;
    }
#endif
    R5G6B5_Scalar(s, d, 0, width);
}

void Convert_R8G8B8ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
#if defined(__x86_64__)
    const int32_t level = Gfx_Simd_Level();
    if (level >= GFX_SIMD_AVX512 && Has_Vbmi()) return R8G8B8_Vbmi(s, d, width);
    if (level >= GFX_SIMD_AVX2) return R8G8B8_Avx2(s, d, width);
#endif
    R8G8B8_Scalar(s, d, 0, width);
}
