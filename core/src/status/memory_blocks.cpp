// Block copy, compare and fill routines. Fills whose bytes are all equal go to
// memset; the others store a precomputed 96-byte pattern with vector stores.
#include <cstring>

#include "softblit/core/status.h"
#include "status/fill_periodic.h"

namespace {

// Eight bytes of a 3-byte fill whose first byte is element byte `phase`.
uint64_t Word24(uint32_t value, unsigned phase) {
    uint64_t v = value & 0xFFFFFF;
    if (phase == 1) v = (v >> 8) | ((v & 0xFF) << 16);
    if (phase == 2) v = (v >> 16) | ((v & 0xFFFF) << 8);
    return v | (v << 24) | (v << 48);
}

// The first 192 bytes of a fill whose element is `size` (2, 3 or 4) bytes of
// `value`, lowest byte first. Built from words: this runs on every call.
void BuildPattern(uint8_t* pattern, uint32_t value, uint32_t size) {
    uint64_t words[3];
    if (size == 3) {
        words[0] = Word24(value, 0);
        words[1] = Word24(value, 2);  // byte 8 is element byte 2
        words[2] = Word24(value, 1);  // byte 16 is element byte 1
    } else {
        uint64_t w = size == 2 ? (value & 0xFFFF) * 0x0001000100010001ull : value * 0x0000000100000001ull;
        words[0] = words[1] = words[2] = w;
    }
    for (size_t i = 0; i < kFillPattern; i += sizeof words) memcpy(pattern + i, words, sizeof words);
}

}  // namespace

bool Mem_Copy(const void* source, void* destination, uint32_t bytes) {
    if (bytes) memcpy(destination, source, bytes);
    return true;
}

bool Mem_Compare(const void* a, const void* b, uint32_t bytes) {
    return bytes == 0 || memcmp(a, b, bytes) == 0;
}

bool Mem_Zero(void* destination, uint32_t bytes) {
    if (bytes) memset(destination, 0, bytes);
    return true;
}

bool Mem_Set8(void* destination, uint32_t bytes, uint8_t value) {
    if (bytes) memset(destination, value, bytes);
    return true;
}

bool Mem_Set16(void* destination, uint32_t bytes, uint16_t value) {
    uint8_t* p = static_cast<uint8_t*>(destination);
    uint8_t lo = static_cast<uint8_t>(value), hi = static_cast<uint8_t>(value >> 8);
    uint32_t whole = bytes & ~3u;  // whole 32-bit words hold the value twice
    if (lo == hi) {
        if (whole) memset(p, lo, whole);
    } else {
        uint8_t pattern[kFillPattern];
        BuildPattern(pattern, value, 2);
        FillPeriodic(p, whole, pattern);
    }
    p += whole;
    if (bytes & 2) {
        p[0] = lo;
        p[1] = hi;
        p += 2;
    }
    if (bytes & 1) *p = 0;
    return true;
}

bool Mem_Set32(void* destination, uint32_t bytes, uint32_t value) {
    uint8_t* p = static_cast<uint8_t*>(destination);
    uint32_t whole = bytes & ~3u;
    if ((value & 0xFF) * 0x01010101u == value) {
        if (whole) memset(p, value & 0xFF, whole);
    } else {
        uint8_t pattern[kFillPattern];
        BuildPattern(pattern, value, 4);
        FillPeriodic(p, whole, pattern);
    }
    for (uint32_t i = whole; i < bytes; ++i) p[i] = 0;
    return true;
}

bool Mem_Set24(void* destination, uint32_t bytes, uint32_t value) {
    uint8_t* p = static_cast<uint8_t*>(destination);
    uint32_t elements = bytes / 3;
    if (elements == 0) return true;
    // Elements are assembled byte by byte, so the fill is the same on machines
    // of either byte order.
    uint8_t b0 = static_cast<uint8_t>(value), b1 = static_cast<uint8_t>(value >> 8),
            b2 = static_cast<uint8_t>(value >> 16);
    uint32_t total = elements * 3;
    if (b0 == b1 && b1 == b2) {
        memset(p, b0, total);
        return true;
    }
    uint8_t pattern[kFillPattern];
    BuildPattern(pattern, value, 3);
    FillPeriodic(p, total, pattern);
    return true;
}

uint32_t Mem_GetByteOrder() { return MEM_LITTLE_ENDIAN; }

uint32_t Mem_ProbeByteOrder(void* twoBytes, uint32_t fallback) {
    uint8_t* p = static_cast<uint8_t*>(twoBytes);
    uint8_t saved[2] = {p[0], p[1]};
    uint16_t probe = 0x0A0B;
    memcpy(p, &probe, 2);
    uint32_t result = fallback;
    if (p[0] == 0x0A && p[1] == 0x0B) result = MEM_BIG_ENDIAN;
    else if (p[0] == 0x0B && p[1] == 0x0A) result = MEM_LITTLE_ENDIAN;
    p[0] = saved[0];
    p[1] = saved[1];
    return result;
}
