// Reading and writing one pixel of a row as an unsigned integer of up to 64
// bits, for every integer pixel size. Formats below 8 bits per pixel pack the
// first pixel of a byte in its most significant bits.
#pragma once

#include <cstdint>
#include <cstring>

using Pixel_FetchFn = uint64_t (*)(const uint8_t* row, uint32_t x);
using Pixel_StoreFn = void (*)(uint8_t* row, uint32_t x, uint64_t value);

// Functions for `bitsPerPixel` (1, 2, 4, 8, 16, 24, 32, 48 or 64); null for
// any other size.
Pixel_FetchFn Pixel_Fetcher(uint32_t bitsPerPixel);
Pixel_StoreFn Pixel_Storer(uint32_t bitsPerPixel);

inline uint32_t Pixel_Load32(const uint8_t* at) {
    uint32_t v;
    std::memcpy(&v, at, 4);
    return v;
}
inline void Pixel_Save32(uint8_t* at, uint32_t v) { std::memcpy(at, &v, 4); }
inline uint16_t Pixel_Load16(const uint8_t* at) {
    uint16_t v;
    std::memcpy(&v, at, 2);
    return v;
}
