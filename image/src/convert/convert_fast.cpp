// Row loops for the conversions that run at start-up and every frame. Each
// one gives exactly what the generic converter gives for its pair: absent
// source channels (alpha, and green and blue of one-channel sources) are 0
// and 5- and 6-bit channels widen as (c << d) + (c & (2^d - 1)).
#include <cstddef>
#include <cstring>

#include "convert/convert_internal.h"
#include "convert/pixel_access.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define SOFTBLIT_CONVERT_SSE2 1
#else
#define SOFTBLIT_CONVERT_SSE2 0
#endif

namespace {

void L8ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
    size_t x = 0;
#if SOFTBLIT_CONVERT_SSE2
    // Interleaving zeros below each grey byte twice puts it at bit 16 of its
    // own 32-bit lane: sixteen pixels per step.
    const __m128i zero = _mm_setzero_si128();
    for (; x + 16 <= width; x += 16) {
        const __m128i grey = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
        const __m128i lo = _mm_unpacklo_epi8(grey, zero);
        const __m128i hi = _mm_unpackhi_epi8(grey, zero);
        __m128i* out = reinterpret_cast<__m128i*>(d + 4 * x);
        _mm_storeu_si128(out + 0, _mm_unpacklo_epi16(zero, lo));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(zero, lo));
        _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(zero, hi));
        _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(zero, hi));
    }
#endif
    for (; x < width; ++x) Pixel_Save32(d + 4 * x, static_cast<uint32_t>(s[x]) << 16);
}

void A8B8G8R8ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
    for (size_t x = 0; x < width; ++x) {
        const uint32_t p = Pixel_Load32(s + 4 * x);
        Pixel_Save32(d + 4 * x, (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16));
    }
}

void A8R8G8B8ToL8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
    for (size_t x = 0; x < width; ++x) d[x] = static_cast<uint8_t>(Pixel_Load32(s + 4 * x) >> 16);
}

const S_FastPath kFastPaths[] = {
    {GFX_FMT_PAL8, GFX_FMT_A8R8G8B8, true, Convert_Pal8ToA8R8G8B8, Convert_Pal8Prepare},
    {GFX_FMT_L8, GFX_FMT_A8R8G8B8, false, L8ToA8R8G8B8, nullptr},
    {GFX_FMT_R8G8B8, GFX_FMT_A8R8G8B8, false, Convert_R8G8B8ToA8R8G8B8, nullptr},
    {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8, false, Convert_R5G6B5ToA8R8G8B8, nullptr},
    {GFX_FMT_A8B8G8R8, GFX_FMT_A8R8G8B8, false, A8B8G8R8ToA8R8G8B8, nullptr},
    {GFX_FMT_A8R8G8B8, GFX_FMT_L8, false, A8R8G8B8ToL8, nullptr},
};

}  // namespace

const S_FastPath* Convert_FindFastPath(int32_t sourceFormat, int32_t destinationFormat) {
    for (const S_FastPath& path : kFastPaths)
        if (path.source == sourceFormat && path.destination == destinationFormat) return &path;
    return nullptr;
}
