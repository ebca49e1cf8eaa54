// The fast path of text drawing: the fill colour through an 8-bit coverage
// plane onto 32-bit pixels, unscaled and opaque. Bit for bit the same as the
// blend family's loop, which it falls back to for other channel layouts; four
// pixels at a time with SSE2, one at a time elsewhere.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "kernels/kernel_options.h"

namespace {

// One pixel: dc + ((sc - dc) * w >> 8) == (sc * w + dc * (256 - w)) >> 8, so
// red and blue blend together without leaving their 16-bit lanes; the fourth
// byte ends up 0 as in the blend family. Selected rather than branched on:
// coverage changes from pixel to pixel along a glyph's edges.
inline void Blend_One(uint8_t* p, uint32_t w, uint32_t fill) {
    const uint32_t d = Pixel_Load(p);
    const uint32_t rb = (((fill & 0x00FF00FFu) * w + (d & 0x00FF00FFu) * (256 - w)) >> 8) & 0x00FF00FFu;
    const uint32_t g = (((fill & 0x0000FF00u) * w + (d & 0x0000FF00u) * (256 - w)) >> 8) & 0x0000FF00u;
    const uint32_t blended = w == 255 ? fill : rb | g;
    Pixel_Store(p, w == 0 ? d : blended);
}

#if defined(__SSE2__)
// Four pixels whose four coverage bytes are `four`: the same arithmetic in
// 16-bit lanes.
inline void Blend_Four(uint8_t* p, uint32_t four, __m128i fill) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i w = _mm_cvtsi32_si128(int(four));
    w = _mm_unpacklo_epi8(w, w);
    w = _mm_unpacklo_epi16(w, w);  // each coverage byte in all four bytes of its pixel
    const __m128i wLo = _mm_unpacklo_epi8(w, zero), wHi = _mm_unpackhi_epi8(w, zero);
    const __m128i k256 = _mm_set1_epi16(256);
    const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(fill, zero), wLo),
                                                    _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(k256, wLo))),
                                      8);
    const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(fill, zero), wHi),
                                                    _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(k256, wHi))),
                                      8);
    __m128i out = _mm_and_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(0x00FFFFFF));
    const __m128i full = _mm_cmpeq_epi8(w, _mm_set1_epi8(char(0xFF)));
    const __m128i none = _mm_cmpeq_epi8(w, zero);
    out = _mm_or_si128(_mm_andnot_si128(full, out), _mm_and_si128(full, fill));
    out = _mm_or_si128(_mm_andnot_si128(none, out), _mm_and_si128(none, d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), out);
}
#endif

// Both formats keep red, green and blue in bytes 0 to 2, in the same order,
// so the packed fill can be blended lane by lane.
bool Lanes_Match(const S_BlitSpan& s) {
    uint32_t seen = 0;
    for (int ch = 0; ch < 3; ++ch) {
        if (s.srcShift[ch] != s.dstShift[ch] || s.dstShift[ch] > 16 || s.dstShift[ch] % 8 != 0) return false;
        seen |= 1u << (s.dstShift[ch] / 8);
    }
    return seen == 7;
}

}  // namespace

void Span_FillCoverage(S_BlitSpan& s, T_SpanKernel fallback) {
    if (!Lanes_Match(s)) {
        fallback(s);
        return;
    }
    const uint32_t fill = s.fill;
    const uint8_t* coverage = s.srcAlpha;
    uint8_t* dst = s.dst;
    const int32_t count = s.count;
#if defined(__SSE2__)
    const __m128i fill4 = _mm_set1_epi32(int(fill));
#endif
    int32_t i = 0;
    // Glyph rows are mostly empty or fully covered: four pixels are tested
    // at once.
    for (; count - i >= 4; i += 4) {
        uint32_t four;
        std::memcpy(&four, coverage + i, 4);
        if (four == 0) continue;
        uint8_t* p = dst + intptr_t(i) * 4;
        if (four == 0xFFFFFFFFu) {
            for (int k = 0; k < 4; ++k) Pixel_Store(p + k * 4, fill);
            continue;
        }
#if defined(__SSE2__)
        Blend_Four(p, four, fill4);
#else
        for (int k = 0; k < 4; ++k) Blend_One(p + k * 4, coverage[i + k], fill);
#endif
    }
    for (; i < count; ++i) Blend_One(dst + intptr_t(i) * 4, coverage[i], fill);
}
