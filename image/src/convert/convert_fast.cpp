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

void Pal8ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t* lut) {
    uint32_t entries[256];
    std::memcpy(entries, lut, sizeof(entries));
    for (size_t x = 0; x < width; ++x) Pixel_Save32(d + 4 * x, entries[s[x]]);
}

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

void R8G8B8ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
    for (size_t x = 0; x < width; ++x) {
        const uint8_t* p = s + 3 * x;
        Pixel_Save32(d + 4 * x, p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16));
    }
}

void R5G6B5ToA8R8G8B8(const uint8_t* s, uint8_t* d, uint32_t width, const uint8_t*) {
    // (c << k) + (c & (2^k - 1)) has no carries, so each channel is two
    // masked copies of its bits: the value itself and its low bits below it.
    for (size_t x = 0; x < width; ++x) {
        const uint32_t p = Pixel_Load16(s + 2 * x);
        const uint32_t r = ((p & 0xF800u) << 8) | ((p & 0x3800u) << 5);
        const uint32_t g = ((p & 0x07E0u) << 5) | ((p & 0x0060u) << 3);
        const uint32_t b = ((p & 0x001Fu) << 3) | (p & 0x0007u);
        Pixel_Save32(d + 4 * x, r | g | b);
    }
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
    {GFX_FMT_PAL8, GFX_FMT_A8R8G8B8, true, Pal8ToA8R8G8B8},
    {GFX_FMT_L8, GFX_FMT_A8R8G8B8, false, L8ToA8R8G8B8},
    {GFX_FMT_R8G8B8, GFX_FMT_A8R8G8B8, false, R8G8B8ToA8R8G8B8},
    {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8, false, R5G6B5ToA8R8G8B8},
    {GFX_FMT_A8B8G8R8, GFX_FMT_A8R8G8B8, false, A8B8G8R8ToA8R8G8B8},
    {GFX_FMT_A8R8G8B8, GFX_FMT_L8, false, A8R8G8B8ToL8},
};

}  // namespace

const S_FastPath* Convert_FindFastPath(int32_t sourceFormat, int32_t destinationFormat) {
    for (const S_FastPath& path : kFastPaths)
        if (path.source == sourceFormat && path.destination == destinationFormat) return &path;
    return nullptr;
}
