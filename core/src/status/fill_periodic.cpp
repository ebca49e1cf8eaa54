#include "status/fill_periodic.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define SOFTBLIT_FILL_X86 1
#endif

namespace {

// A fill of period 2, 3 or 4 repeats every 24 bytes, so three 64-bit words
// describe it. `phase` is the element byte the fill starts with.
struct S_FillWords {
    uint64_t w[3];
};

// The element rotated so that its byte `phase` comes first.
uint32_t RotateElement(uint32_t value, uint32_t size, uint32_t phase) {
    uint32_t bits = 8 * size, shift = 8 * phase;
    uint32_t mask = size == 4 ? 0xFFFFFFFFu : (1u << bits) - 1;
    value &= mask;
    if (phase == 0) return value;
    return ((value >> shift) | (value << (bits - shift))) & mask;
}

// Arithmetic only: this runs on every fill, so no byte loops or divisions.
S_FillWords WordsAt(uint32_t value, uint32_t size, uint32_t phase) {
    S_FillWords words;
    if (size == 3) {
        auto repeat = [&](uint32_t k) {
            uint64_t v = RotateElement(value, 3, k);
            return v | (v << 24) | (v << 48);
        };
        // Bytes 8 and 16 of the fill are element bytes phase + 2 and phase + 1.
        words.w[0] = repeat(phase);
        words.w[1] = repeat(phase == 0 ? 2 : phase - 1);
        words.w[2] = repeat(phase == 2 ? 0 : phase + 1);
    } else {
        uint64_t v = RotateElement(value, size, phase);
        words.w[0] = words.w[1] = words.w[2] = size == 2 ? v * 0x0001000100010001ull : v * 0x0000000100000001ull;
    }
    return words;
}

uint32_t PhaseAfter(size_t bytes, uint32_t size) {
    return static_cast<uint32_t>(size == 3 ? bytes % 3 : bytes & (size - 1));
}

void FillWithWords(uint8_t* p, size_t bytes, const S_FillWords& words) {
    size_t whole = bytes / 8;
    unsigned k = 0;
    for (size_t i = 0; i < whole; ++i) {
        memcpy(p + 8 * i, &words.w[k], 8);
        if (++k == 3) k = 0;
    }
    memcpy(p + 8 * whole, &words.w[k], bytes & 7);
}

constexpr size_t kCopyFill = 64u << 10;
constexpr size_t kStringFill = 1024;

#if SOFTBLIT_FILL_X86
// Blocks of 24 words (192 bytes) in three registers; aligned stores, since
// stores that straddle cache lines cost twice, and masked stores for the
// ragged ends.
struct S_Wide {
    __m512i a, b, c;
};

__attribute__((target("avx512f"))) S_Wide WideRegisters(const S_FillWords& words) {
    const long long w0 = static_cast<long long>(words.w[0]), w1 = static_cast<long long>(words.w[1]),
                    w2 = static_cast<long long>(words.w[2]);
    return {_mm512_set_epi64(w1, w0, w2, w1, w0, w2, w1, w0), _mm512_set_epi64(w0, w2, w1, w0, w2, w1, w0, w2),
            _mm512_set_epi64(w2, w1, w0, w2, w1, w0, w2, w1)};
}

__attribute__((target("avx512f,avx512bw"))) void StorePartial(uint8_t* p, size_t bytes, const S_Wide& r) {
    auto mask = [](size_t n) { return n >= 64 ? ~__mmask64(0) : (__mmask64(1) << n) - 1; };
    _mm512_mask_storeu_epi8(p, mask(bytes), r.a);
    if (bytes > 64) _mm512_mask_storeu_epi8(p + 64, mask(bytes - 64), r.b);
    if (bytes > 128) _mm512_mask_storeu_epi8(p + 128, mask(bytes - 128), r.c);
}

__attribute__((target("avx512f,avx512bw"))) void FillAvx512(uint8_t* p, size_t bytes, uint32_t value,
                                                             uint32_t size) {
    // Both word sets are worked out before any vector register is written:
    // plain SSE code between 512-bit instructions would pay a state
    // transition on every call.
    const size_t head = (64 - (reinterpret_cast<uintptr_t>(p) & 63)) & 63;
    const S_FillWords first = WordsAt(value, size, 0);
    const S_FillWords aligned = WordsAt(value, size, PhaseAfter(head, size));
    S_Wide r = WideRegisters(first);
    if (bytes <= 192) return StorePartial(p, bytes, r);
    _mm512_storeu_si512(p, r.a);
    p += head;
    bytes -= head;
    r = WideRegisters(aligned);
    size_t blocks = bytes / 192;
    for (size_t i = 0; i < blocks; ++i, p += 192) {
        _mm512_store_si512(p, r.a);
        _mm512_store_si512(p + 64, r.b);
        _mm512_store_si512(p + 128, r.c);
    }
    StorePartial(p, bytes % 192, r);
}

__attribute__((target("avx2"))) void FillAvx2(uint8_t* p, size_t bytes, uint32_t value, uint32_t size) {
    S_FillWords words = WordsAt(value, size, 0);
    if (bytes < 128) return FillWithWords(p, bytes, words);
    const size_t head = (32 - (reinterpret_cast<uintptr_t>(p) & 31)) & 31;
    FillWithWords(p, head, words);
    p += head;
    bytes -= head;
    words = WordsAt(value, size, PhaseAfter(head, size));  // before any vector register is written
    const long long w0 = static_cast<long long>(words.w[0]), w1 = static_cast<long long>(words.w[1]),
                    w2 = static_cast<long long>(words.w[2]);
    const __m256i a = _mm256_set_epi64x(w0, w2, w1, w0);
    const __m256i b = _mm256_set_epi64x(w1, w0, w2, w1);
    const __m256i c = _mm256_set_epi64x(w2, w1, w0, w2);
    size_t blocks = bytes / 96;
    for (size_t i = 0; i < blocks; ++i, p += 96) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(p), a);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 32), b);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 64), c);
    }
    FillWithWords(p, bytes % 96, words);
}

void FillSse2(uint8_t* p, size_t bytes, uint32_t value, uint32_t size) {
    S_FillWords words = WordsAt(value, size, 0);
    __m128i r[3];
    for (int k = 0; k < 3; ++k) {
        // Register k holds words 2k and 2k + 1 of the 6-word (48-byte) block.
        r[k] = _mm_set_epi64x(static_cast<long long>(words.w[(2 * k + 1) % 3]),
                              static_cast<long long>(words.w[(2 * k) % 3]));
    }
    size_t blocks = bytes / 48;
    for (size_t i = 0; i < blocks; ++i, p += 48) {
        for (int k = 0; k < 3; ++k) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k), r[k]);
    }
    FillWithWords(p, bytes % 48, words);
}

using FillFunction = void (*)(uint8_t*, size_t, uint32_t, uint32_t);

FillFunction ChooseFill() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) return FillAvx512;
    return __builtin_cpu_supports("avx2") ? FillAvx2 : FillSse2;
}

const FillFunction g_fill = ChooseFill();

bool HasFastStringCopy() {
    unsigned eax, ebx, ecx, edx;
    return __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) && (ebx & (1u << 9)) != 0;  // ERMS
}

const bool g_fastStringCopy = HasFastStringCopy();

// Large 3-byte fills: write one 192-byte block, then copy the block onto
// itself shifted by 192 bytes. The copy is defined byte by byte forwards, so
// it repeats the pattern, and the string copy moves whole cache lines without
// reading them first, as the string store does for 8-byte periods.
void FillByShiftedCopy(uint8_t* p, size_t bytes, uint32_t value, uint32_t size) {
    g_fill(p, 192, value, size);
    void* to = p + 192;
    const void* from = p;
    size_t count = bytes - 192;
    __asm__ volatile("rep movsb" : "+D"(to), "+S"(from), "+c"(count) : : "memory");
}
#endif

// Periods 2 and 4 repeat in every 8-byte word, which the string store can
// write whole cache lines at a time.
void FillWord64(uint8_t* p, size_t bytes, uint64_t word) {
    size_t words = bytes / 8;
#if defined(__x86_64__)
    void* at = p;
    __asm__ volatile("rep stosq" : "+D"(at), "+c"(words) : "a"(word) : "memory");
#else
    for (size_t i = 0; i < words; ++i) memcpy(p + 8 * i, &word, 8);
#endif
    memcpy(p + (bytes & ~size_t(7)), &word, bytes & 7);
}

}  // namespace

void FillElements(uint8_t* destination, size_t bytes, uint32_t value, uint32_t size) {
    if (bytes == 0) return;
    if (size != 3 && bytes >= kStringFill) {
        uint64_t word = size == 2 ? (value & 0xFFFF) * 0x0001000100010001ull : value * 0x0000000100000001ull;
        return FillWord64(destination, bytes, word);
    }
#if SOFTBLIT_FILL_X86
    if (bytes >= kCopyFill && g_fastStringCopy && sizeof(void*) == 8) {
        return FillByShiftedCopy(destination, bytes, value, size);
    }
    g_fill(destination, bytes, value, size);
#else
    FillWithWords(destination, bytes, WordsAt(value, size, 0));
#endif
}
