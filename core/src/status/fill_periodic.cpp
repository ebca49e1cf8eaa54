#include "status/fill_periodic.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SOFTBLIT_FILL_X86 1
#endif

namespace {

void FillTail(uint8_t* p, size_t bytes, const uint8_t* pattern) {
    // Fewer than 96 bytes remain; `pattern` is already at the right phase.
    memcpy(p, pattern, bytes);
}

#if SOFTBLIT_FILL_X86
// Stores that straddle cache lines cost twice, so the bulk runs on 32-byte
// aligned addresses, reading the pattern from the phase the alignment leaves.
__attribute__((target("avx2"))) void FillAvx2(uint8_t* p, size_t bytes, const uint8_t* pattern) {
    if (bytes >= 64) {
        size_t head = (32 - (reinterpret_cast<uintptr_t>(p) & 31)) & 31;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern)));
        p += head;
        bytes -= head;
        pattern += head;
    }
    __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern));
    __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern + 32));
    __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern + 64));
    size_t blocks = bytes / kFillBlock;
    for (size_t i = 0; i < blocks; ++i, p += kFillBlock) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(p), a);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 32), b);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 64), c);
    }
    FillTail(p, bytes % kFillBlock, pattern);
}

__attribute__((target("avx512f"))) void FillAvx512(uint8_t* p, size_t bytes, const uint8_t* pattern) {
    if (bytes >= 128) {
        size_t head = (64 - (reinterpret_cast<uintptr_t>(p) & 63)) & 63;
        _mm512_storeu_si512(p, _mm512_loadu_si512(pattern));
        p += head;
        bytes -= head;
        pattern += head;
    }
    __m512i a = _mm512_loadu_si512(pattern);
    __m512i b = _mm512_loadu_si512(pattern + 64);
    __m512i c = _mm512_loadu_si512(pattern + 128);
    size_t blocks = bytes / kFillWideBlock;
    for (size_t i = 0; i < blocks; ++i, p += kFillWideBlock) {
        _mm512_store_si512(p, a);
        _mm512_store_si512(p + 64, b);
        _mm512_store_si512(p + 128, c);
    }
    bytes %= kFillWideBlock;
    memcpy(p, pattern, bytes);
}

void FillSse2(uint8_t* p, size_t bytes, const uint8_t* pattern) {
    __m128i r[6];
    for (int i = 0; i < 6; ++i) r[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 16 * i));
    size_t blocks = bytes / kFillBlock;
    for (size_t i = 0; i < blocks; ++i, p += kFillBlock) {
        for (int k = 0; k < 6; ++k) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k), r[k]);
    }
    FillTail(p, bytes % kFillBlock, pattern);
}

using FillFunction = void (*)(uint8_t*, size_t, const uint8_t*);

FillFunction ChooseFill() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return FillAvx512;
    return __builtin_cpu_supports("avx2") ? FillAvx2 : FillSse2;
}

const FillFunction g_fill = ChooseFill();
#endif

}  // namespace

void FillPeriodic(uint8_t* destination, size_t bytes, const uint8_t* pattern) {
    if (bytes == 0) return;
#if SOFTBLIT_FILL_X86 && defined(__x86_64__)
    // Patterns of period 1, 2, 4 or 8 repeat in every 8-byte word: the string
    // store instruction fills whole cache lines at a time on large blocks.
    uint64_t word;
    memcpy(&word, pattern, 8);
    if (bytes >= 1024 && memcmp(pattern + 8, pattern, 8) == 0 && memcmp(pattern + 16, pattern, 8) == 0) {
        size_t words = bytes / 8;
        void* p = destination;
        __asm__ volatile("rep stosq" : "+D"(p), "+c"(words) : "a"(word) : "memory");
        destination += bytes & ~size_t(7);
        memcpy(destination, pattern, bytes & 7);
        return;
    }
#endif
#if SOFTBLIT_FILL_X86
    g_fill(destination, bytes, pattern);
#else
    size_t blocks = bytes / kFillBlock;
    for (size_t i = 0; i < blocks; ++i, destination += kFillBlock) memcpy(destination, pattern, kFillBlock);
    FillTail(destination, bytes % kFillBlock, pattern);
#endif
}
