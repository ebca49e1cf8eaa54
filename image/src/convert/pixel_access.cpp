// Per-size pixel readers and writers (little-endian values).
#include "convert/pixel_access.h"

namespace {

template <uint32_t Bits>
uint64_t FetchPacked(const uint8_t* row, uint32_t x) {
    const uint32_t bit = x * Bits;
    const uint32_t shift = 8 - Bits - (bit & 7);
    return (row[bit >> 3] >> shift) & ((1u << Bits) - 1);
}

template <uint32_t Bits>
void StorePacked(uint8_t* row, uint32_t x, uint64_t value) {
    const uint32_t bit = x * Bits;
    const uint32_t shift = 8 - Bits - (bit & 7);
    const uint32_t mask = ((1u << Bits) - 1) << shift;
    uint8_t& byte = row[bit >> 3];
    byte = static_cast<uint8_t>((byte & ~mask) | ((static_cast<uint32_t>(value) << shift) & mask));
}

template <uint32_t Bytes>
uint64_t FetchBytes(const uint8_t* row, uint32_t x) {
    const uint8_t* p = row + static_cast<uintptr_t>(x) * Bytes;
    uint64_t v = 0;
    for (uint32_t i = 0; i < Bytes; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

template <uint32_t Bytes>
void StoreBytes(uint8_t* row, uint32_t x, uint64_t value) {
    uint8_t* p = row + static_cast<uintptr_t>(x) * Bytes;
    for (uint32_t i = 0; i < Bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

Pixel_FetchFn Pixel_Fetcher(uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1: return FetchPacked<1>;
        case 2: return FetchPacked<2>;
        case 4: return FetchPacked<4>;
        case 8: return FetchBytes<1>;
        case 16: return FetchBytes<2>;
        case 24: return FetchBytes<3>;
        case 32: return FetchBytes<4>;
        case 48: return FetchBytes<6>;
        case 64: return FetchBytes<8>;
        default: return nullptr;
    }
}

Pixel_StoreFn Pixel_Storer(uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1: return StorePacked<1>;
        case 2: return StorePacked<2>;
        case 4: return StorePacked<4>;
        case 8: return StoreBytes<1>;
        case 16: return StoreBytes<2>;
        case 24: return StoreBytes<3>;
        case 32: return StoreBytes<4>;
        case 48: return StoreBytes<6>;
        case 64: return StoreBytes<8>;
        default: return nullptr;
    }
}
