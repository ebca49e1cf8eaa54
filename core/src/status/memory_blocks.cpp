// Block copy, compare and fill routines. Fills whose bytes are all equal go to
// memset; the others go to FillElements.
#include <cstring>

#include "softblit/core/status.h"
#include "status/fill_periodic.h"

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
        FillElements(p, whole, value, 2);
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
        FillElements(p, whole, value, 4);
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
    FillElements(p, total, value, 3);
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
